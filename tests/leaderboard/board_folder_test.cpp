// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A folder in which nobody, root included, can create files.
QString unwritableFolder(QTemporaryDir &scratch)
{
    if (geteuid() == 0)
        return QStringLiteral("/proc");
    const QString folder = scratch.filePath("readonly");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    return folder;
}

} // namespace

TEST(BoardFolder, StaysInAWritableProgramFolder)
{
    QTemporaryDir program, data;
    const QString userData = data.filePath("share/tovasel");
    EXPECT_EQ(leaderboard::boardFolder(program.path(), userData), program.path());
    EXPECT_FALSE(QDir(userData).exists()) << "no data folder is made when it is not needed";
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "the probe leaves nothing behind";
}

TEST(BoardFolder, MovesToTheUsersDataFolderWhenTheProgramFolderIsReadOnly)
{
    QTemporaryDir scratch, data;
    const QString program = unwritableFolder(scratch);
    ASSERT_FALSE(leaderboard::canCreateFilesIn(program));
    const QString userData = data.filePath("share/tovasel");
    EXPECT_EQ(leaderboard::boardFolder(program, userData), userData);
    EXPECT_TRUE(leaderboard::canCreateFilesIn(userData)) << "the data folder is created";
}

TEST(BoardFolder, AMissingProgramFolderCountsAsUnwritable)
{
    QTemporaryDir data;
    EXPECT_FALSE(leaderboard::canCreateFilesIn(data.filePath("no/such/folder")));
    EXPECT_EQ(leaderboard::boardFolder(data.filePath("no/such/folder"), data.filePath("d")),
              data.filePath("d"));
}
