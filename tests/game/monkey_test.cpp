// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A child at the mouse: thousands of random clicks, keys and ticks against the real main window, its
// help and its leaderboard, the game's state checked after each. TOVASEL_MONKEY_SEED repeats a run;
// TOVASEL_MONKEY_EVENTS sets its length.
#include "game_fixtures.h"
#include "leaderboard_window.h"
#include "text_item.h"

#include <iostream>
#include <map>
#include <random>

using Phase = GameSession::Phase;
using Hold = GameSession::Hold;

TEST_F(GameWindowTest, SurvivesAChildAtTheMouse)
{
    const QString seed = qEnvironmentVariable("TOVASEL_MONKEY_SEED", QString::number(std::random_device{}()));
    const int events = qEnvironmentVariable("TOVASEL_MONKEY_EVENTS", "20000").toInt();
    std::cout << "TOVASEL_MONKEY_SEED=" << seed.toStdString() << ", " << events << " events" << std::endl;
    SCOPED_TRACE("TOVASEL_MONKEY_SEED=" + seed.toStdString());
    std::mt19937_64 dice(seed.toULongLong());
    auto roll = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); };
    fraction = [&] { return std::generate_canonical<float, 24>(dice); };
    auto anywhere = [&](QWidget *target) { return QPoint(roll(target->width()), roll(target->height())); };
    auto tick = [&] {
        QList<QTimer *> running = session.findChildren<QTimer *>();
        running.removeIf([](const QTimer *timer) { return !timer->isActive(); });
        if (!running.isEmpty())
            QMetaObject::invokeMethod(running[roll(int(running.size()))], "timeout");
    };
    const char *controls[] = {"startButton", "helpButton", "mascot"};
    // Per game, in hundredths summed up: how often the child answers (or starts), waits, clicks a control,
    // or else anywhere, and how soon it closes help or the leaderboard: it clicks, plays, idles or reads.
    const std::array<std::array<int, 4>, 4> moods{
        {{10, 20, 35, 20}, {55, 97, 100, 20}, {3, 100, 100, 20}, {10, 95, 100, 2}}};
    std::array<int, 4> mood = moods[0];
    std::map<std::string, int> tally;
    for (int event = 0; event < events; ++event) {
        SCOPED_TRACE("event " + std::to_string(event));
        const bool wasIdle = session.phase() == Phase::Idle;
        const bool boardWasOpen = openChild<LeaderboardWindow>();
        const QList<QDialog *> children = toolkit::openDialogs(&window);
        const int act = roll(100);
        if (!children.isEmpty() && act < 50) {
            QWidget *child = children[roll(int(children.size()))];
            if (act < mood[3])
                child->close();
            else if (act >= 40 && child->focusWidget())
                QTest::keyClicks(child->focusWidget(), "Ann\r");
            else
                click(child, anywhere(child));
        } else if (act < mood[0] && session.phase() == Phase::Asking && session.hold() == Hold::None) {
            const QRect spot = session.askedSpot().adjusted(1, 1, -1, -1); // now and then its edge
            click(board, {spot.left() + roll(spot.width() + 1), spot.top() + roll(spot.height())});
        } else if (act < mood[0]) {
            click(widget("startButton"), {5, 5});
        } else if (act < mood[1]) {
            tick();
        } else if (act < mood[2]) {
            click(widget(controls[roll(3)]), {5, 5});
        } else {
            click(&window, anywhere(&window), roll(2) ? Qt::LeftButton : Qt::RightButton);
        }
        if (wasIdle && session.phase() != Phase::Idle)
            mood = moods[roll(4)];
        if (!boardWasOpen && openChild<LeaderboardWindow>())
            ++tally[session.livesLeft() <= 0 ? "lost" : session.level() > 2 ? "completed" : "out of time"];
        const int lives = session.livesLeft();
        ASSERT_GE(lives, 0) << "lives below none";
        ASSERT_EQ(item("life1")->isVisible(), lives >= 1) << "the first life shown";
        ASSERT_EQ(item("life2")->isVisible(), lives >= 2) << "the second life shown";
        ASSERT_TRUE(QList({1, 2}).contains(session.figureNo())) << "figure " << session.figureNo();
        ASSERT_TRUE(QList({1, 2, 3}).contains(session.level())) << "level " << session.level();
        ASSERT_EQ(QApplication::activeModalWidget() == nullptr, toolkit::openDialogs(&window).isEmpty())
            << "the game takes input with a dialog open";
        const QString score = item<TextItem>("scoreLabel")->text();
        ASSERT_EQ(score.isEmpty() ? 0 : score.toInt(), session.score()) << "the score shown";
        if (openChild<LeaderboardWindow>()) {
            ASSERT_EQ(session.phase(), Phase::Idle) << "a game runs behind the leaderboard";
        }
    }
    for (const auto &[how, games] : tally)
        std::cout << "  games " << how << ": " << games << std::endl;
    // A run that never reached these proves little.
    for (const char *how : {"lost", "completed", "out of time"})
        EXPECT_GT(tally[how], 0) << "no game " << how;
}
