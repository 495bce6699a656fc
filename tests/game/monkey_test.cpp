// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A child at the mouse: thousands of random clicks, keys and ticks against the real main window, its
// help and its leaderboard, the game's state checked after each. TOVASEL_MONKEY_SEED repeats a run;
// TOVASEL_MONKEY_EVENTS sets its length.
#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"

#include <QLabel>
#include <QLineEdit>

#include <iostream>
#include <map>
#include <random>

using Phase = GameSession::Phase;

TEST_F(GameWindowTest, SurvivesAChildAtTheMouse)
{
    const quint64 seed =
        qEnvironmentVariable("TOVASEL_MONKEY_SEED", QString::number(std::random_device{}())).toULongLong();
    const quint64 events = qEnvironmentVariable("TOVASEL_MONKEY_EVENTS", "20000").toULongLong();
    std::cout << "monkey seed " << seed << " (TOVASEL_MONKEY_SEED), " << events << " events" << std::endl;
    SCOPED_TRACE(testing::Message() << "TOVASEL_MONKEY_SEED=" << seed);
    std::mt19937_64 dice(seed);
    auto roll = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); };
    auto chance = [&](int percent) { return roll(100) < percent; };
    fraction = [&] { return std::generate_canonical<float, 24>(dice); };
    // What the child is up to during one game; reading means help opened in the pauses.
    enum Mood { Clicking, Playing, Idling, Reading } mood = Clicking;
    std::map<std::string, int> tally;
    auto anywhere = [&](QWidget *target) { return QPoint(roll(target->width()), roll(target->height())); };
    auto clickAnywhere = [&] {
        const Qt::MouseButton button = std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[roll(3)];
        chance(10) ? QTest::mouseDClick(window.windowHandle(), button, {}, anywhere(&window))
                   : click(&window, anywhere(&window), button);
    };
    auto tick = [&] {
        QList<QTimer *> running = session.findChildren<QTimer *>();
        running.removeIf([](const QTimer *timer) { return !timer->isActive(); });
        if (!running.isEmpty())
            QMetaObject::invokeMethod(running[roll(int(running.size()))], "timeout");
    };
    // A tick due in a hit's hold runs inside it.
    onHold = [&] {
        if (chance(20))
            tick();
    };
    auto answer = [&] {
        if (session.phase() != Phase::Asking)
            return click(session.phase() == Phase::Idle ? widget("startButton") : surface, {5, 5});
        const QRect r = session.askedSpot();
        // Mostly well inside; now and then on the edge, which is a miss.
        QPoint at(r.left() + 1 + roll(r.width() - 2), r.top() + 1 + roll(r.height() - 2));
        if (chance(mood == Clicking ? 10 : 1))
            at = chance(50) ? QPoint(r.left(), at.y()) : QPoint(at.x(), r.bottom());
        click(surface, at, chance(80) ? Qt::LeftButton : Qt::RightButton);
    };
    auto actOnHelp = [&] {
        if (auto *help = openChild<HelpWindow>(); help && chance(mood == Reading ? 10 : 50))
            help->close();
        else if (!help && (mood != Reading || session.phase() == Phase::Pausing))
            click(widget("helpButton"), {5, 5});
    };
    auto actOnBoard = [&](LeaderboardWindow *board) {
        QLineEdit *name = board->findChild<QLineEdit *>();
        const auto key = std::array{Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Space}[roll(4)];
        if (chance(30))
            QTest::keyClicks(name, QString("abcXYZ09 ,").mid(roll(10), roll(5)));
        else if (chance(20))
            board->close();
        else if (chance(50))
            click(board, anywhere(board));
        else
            QTest::keyClick(board->focusWidget() ? board->focusWidget() : board, key);
    };
    // Each act with its weight for each mood; each column sums to 100.
    const std::pair<std::array<int, 4>, std::function<void()>> acts[] = {
        {{60, 0, 0, 0}, clickAnywhere},
        {{15, 3, 0, 2},
         [&] {
             click(widget(std::array{"startButton", "helpButton", "mascot"}[roll(3)]), {5, 5});
         }},
        {{10, 55, 3, 10}, answer},
        {{10, 40, 95, 85}, tick},
        {{0, 2, 0, 3}, actOnHelp},
        {{5, 0, 2, 0}, [] { QCoreApplication::processEvents(); }},
    };
    auto checkState = [&] {
        ASSERT_GE(session.livesLeft(), 0) << "lives below none";
        ASSERT_EQ(widget("life1")->isHidden(), session.livesLeft() < 1) << "the first life shown";
        ASSERT_EQ(widget("life2")->isHidden(), session.livesLeft() < 2) << "the second life shown";
        ASSERT_GE(session.figureNo(), 1) << "the figure";
        ASSERT_LE(session.figureNo(), 2) << "the figure";
        ASSERT_GE(session.level(), 1) << "the level";
        ASSERT_LE(session.level(), 3) << "the level";
        if (session.phase() == Phase::Asking) {
            ASSERT_GE(session.askedWord(), 0) << "asking no word";
        }
        if (openChild<LeaderboardWindow>()) {
            ASSERT_EQ(session.phase(), Phase::Idle) << "a game runs behind the leaderboard";
        }
        ASSERT_EQ(window.isEnabled(), toolkit::openChildren(&window).isEmpty())
            << "enabled with a child open";
        const QString score = window.findChild<QLabel *>("scoreLabel")->text();
        ASSERT_EQ(score.isEmpty() ? 0 : score.toInt(), session.score()) << "the score shown";
    };

    for (quint64 event = 0; event < events; ++event) {
        SCOPED_TRACE(testing::Message() << "event " << event << ", mood " << mood);
        const bool wasIdle = session.phase() == Phase::Idle;
        auto *board = openChild<LeaderboardWindow>();
        if (board && chance(60)) {
            actOnBoard(board);
        } else if (openChild<HelpWindow>() && chance(mood == Reading ? 1 : 30)) {
            actOnHelp();
        } else if (wasIdle && toolkit::openChildren(&window).isEmpty() && chance(30)) {
            click(widget("startButton"), {5, 5});
        } else {
            int pick = roll(100);
            std::find_if(std::begin(acts), std::end(acts), [&](auto &act) {
                pick -= act.first[mood];
                return pick < 0;
            })->second();
        }
        record.clear();
        if (wasIdle && session.phase() != Phase::Idle)
            mood = std::array{Clicking, Clicking, Playing, Playing, Idling, Idling, Reading}[roll(7)];
        if (!board && openChild<LeaderboardWindow>())
            ++tally[session.livesLeft() <= 0 ? "games lost"
                    : session.level() > 2    ? "games completed"
                                             : "games out of time"];
        ASSERT_NO_FATAL_FAILURE(checkState());
    }
    for (const auto &[what, count] : tally)
        std::cout << "  " << what << ": " << count << std::endl;
    // A run that never reached these proves little.
    for (const char *what : {"games lost", "games completed", "games out of time"})
        EXPECT_GT(tally[what], 0) << what;
}
