// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cue_player.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Silence : CuePlayer
{
    std::chrono::milliseconds play(const QByteArray &) override { return {}; }
};

} // namespace

// Escape goes through the window system, to whatever has the focus inside.
TEST(ChildWindows, EscapeClosesAllButTheLeaderboard)
{
    QWidget opener;
    QTemporaryDir boardFolder;
    Silence player;
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
        if (closes) {
            EXPECT_FALSE(window->isVisible()) << "Escape left " << name << " open";
            EXPECT_TRUE(!QApplication::activeModalWidget())
                << "the opener stays blocked after Escape closed " << name;
        } else {
            EXPECT_TRUE(window->isVisible()) << "Escape closed " << name;
            EXPECT_FALSE(!QApplication::activeModalWidget()) << "the opener takes input under " << name;
        }
    }
}
