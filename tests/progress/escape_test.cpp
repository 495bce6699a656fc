// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"
#include "recording_player.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

// Escape goes through the window system, to whatever has the focus inside.
TEST(ChildWindows, EscapeClosesAllButTheLeaderboard)
{
    QWidget opener;
    QTemporaryDir boardFolder;
    RecordingPlayer player;
    ProgressWindow progress(&opener);
    HelpWindow help(&opener);
    LeaderboardWindow board(&opener, boardFolder.path() + '/', player);
    const QList<std::tuple<const char *, QWidget *, std::function<void()>, bool>> windows{
        {"the parents' window", &progress, [&] { progress.open(); }, true},
        {"the help", &help, [&] { help.open(); }, true},
        // With a place earned, so that the name box has the focus.
        {"the leaderboard", &board, [&] { board.open(100); }, false},
    };
    for (const auto &[name, window, open, closes] : windows) {
        open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << name << " did not become active";
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        EXPECT_EQ(window->isVisible(), !closes)
            << name << (closes ? " stays open" : " closed") << " on Escape";
        EXPECT_EQ(!QApplication::activeModalWidget(), closes)
            << "the opener's block after Escape on " << name;
    }
}
