// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cue_player.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct Silence : CuePlayer
{
    void play(const QByteArray &, bool) override {}
};

} // namespace

// Escape goes through the window system, to whatever has the focus inside.
TEST(ChildWindows, EscapeClosesAllButTheLeaderboard)
{
    QTemporaryDir boardFolder;
    Silence player;
    using Opening = std::function<std::unique_ptr<QWidget>(QWidget *)>;
    const QList<std::tuple<const char *, Opening, bool>> windows{
        {"the parents' window",
         [](QWidget *opener) {
             auto window = std::make_unique<ProgressWindow>(opener);
             window->open();
             return window;
         },
         true},
        {"the help",
         [](QWidget *opener) {
             auto window = std::make_unique<HelpWindow>(opener);
             window->open();
             return window;
         },
         true},
        // With a place earned, so that the name box has the focus.
        {"the leaderboard",
         [&](QWidget *opener) {
             auto window = std::make_unique<LeaderboardWindow>(opener, boardFolder.path() + '/', player);
             window->open(100);
             return window;
         },
         false},
    };
    for (const auto &[name, open, closes] : windows) {
        QWidget opener;
        const std::unique_ptr<QWidget> window = open(&opener);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << name << " did not become active";
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        if (closes) {
            EXPECT_FALSE(window->isVisible()) << "Escape left " << name << " open";
            EXPECT_TRUE(opener.isEnabled()) << "the opener stayed disabled after Escape closed " << name;
        } else {
            EXPECT_TRUE(window->isVisible()) << "Escape closed " << name;
            EXPECT_FALSE(opener.isEnabled()) << "the opener came back under " << name;
        }
    }
}
