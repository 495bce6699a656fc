// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "single_instance.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Launchers activate the installed game's board (the user's data folder) by
// the program's id; every other board has a valid name of its own.
TEST(SingleInstance, BusNamePerBoardFolder)
{
    const QTemporaryDir data, portable, other;
    const QString id = QStringLiteral("org.tovasel.tovasel");
    EXPECT_EQ(busName(data.path() + "/", data.path()), id) << "the user's data folder";
    const QString name = busName(portable.path() + "/", data.path());
    EXPECT_TRUE(name.startsWith(id + ".Board_"))
        << "not the id with an element that begins with a letter: " << name.toStdString();
    const QString link = other.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(portable.path(), link));
    EXPECT_EQ(busName(link, data.path()), name) << "a folder and a link to it, two names";
    EXPECT_NE(busName(other.path(), data.path()), name) << "two folders, one name";
}

// Without a session bus a lock keeps a second copy off a board while the
// first runs, and only that board.
TEST(SingleInstance, WithoutABusOneCopyPerBoard)
{
    const QTemporaryDir runtime, board, other;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    auto first = std::make_unique<SingleInstance>(board.path());
    ASSERT_FALSE(first->handedOver()) << "the first copy stepped aside";
    EXPECT_TRUE(SingleInstance(board.path() + "/").handedOver()) << "a second copy of the board runs";
    EXPECT_FALSE(SingleInstance(other.path()).handedOver()) << "another board's copy stepped aside";
    first.reset();
    EXPECT_FALSE(SingleInstance(board.path()).handedOver()) << "the board stays taken after its copy";
}
