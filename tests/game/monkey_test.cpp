// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A child at the mouse: thousands of random clicks, keys and ticks against the real main window, its
// help and its leaderboard, the game's state checked after each. TOVASEL_MONKEY_SEED repeats a run;
// TOVASEL_MONKEY_EVENTS sets its length.
#include "board_file.h"
#include "game_window_peer.h"

#include <QFile>
#include <QLineEdit>

#include <array>
#include <iostream>
#include <map>
#include <random>

TEST_F(GameWindowPeer, SurvivesAChildAtTheMouse)
{
    const quint64 seed = qEnvironmentVariable("TOVASEL_MONKEY_SEED", QString::number(std::random_device{}()))
                             .toULongLong(),
                  events = qEnvironmentVariable("TOVASEL_MONKEY_EVENTS", "20000").toULongLong();
    std::cout << "monkey seed " << seed << " (TOVASEL_MONKEY_SEED), " << events << " events" << std::endl;
    SCOPED_TRACE(testing::Message() << "TOVASEL_MONKEY_SEED=" << seed);
    std::mt19937_64 dice(seed);
    auto roll = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); };
    auto chance = [&](int percent) { return roll(100) < percent; };
    fraction = [&] { return std::generate_canonical<float, 24>(dice); };
    // What the child is up to during one game: clicking, playing, idling, or reading help in the pause.
    enum Mood { Clicker, Player, Idler, Reader, AtTheBoard } mood = Clicker;
    std::map<std::string, int> tally;
    auto open = [](QWidget *window) { return window && window->isVisible(); };
    auto anywhere = [&](QWidget *window) { return QPoint(roll(window->width()), roll(window->height())); };
    auto inside = [&](const char *name) { return widget(name)->mapTo(&form, anywhere(widget(name))); };
    // Through the window system, as a real click comes: to the control under the pointer, and not at all
    // while the window is disabled.
    auto click = [&](QWidget *window, QPoint at, Qt::MouseButton button = Qt::LeftButton,
                     bool twice = false) {
        twice ? QTest::mouseDClick(window->windowHandle(), button, {}, at)
              : QTest::mouseClick(window->windowHandle(), button, {}, at);
    };
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    auto clickAnywhere = [&] { click(&form, anywhere(&form), buttons[roll(3)], chance(10)); };
    auto tick = [&] {
        std::vector<QTimer *> running;
        for (QTimer *timer : {timer1, timer2, timerBoy})
            running.insert(running.end(), timer->isActive(), timer);
        if (!running.empty() && ++tally["ticks"])
            QMetaObject::invokeMethod(running[roll(int(running.size()))], "timeout");
    };
    // Sounds and holds take no time, but a child keeps clicking; a tick due in a hold runs inside it.
    int queued = 0;
    onPlay = [&](bool wait) { queued += !wait ? 0 : mood == Clicker ? roll(4) : chance(3); };
    onHold = [&] { onPlay(true), chance(20) ? tick() : void(); };
    auto answer = [&] {
        // Between games the start button, in the pause anything.
        if (!s.gameRunning || s.questionIndex >= s.wordCount || timer2->isActive())
            return click(&form, s.gameRunning ? anywhere(&form) : inside("PicB"));
        const QRect r = spot().toRect();
        // Mostly well inside; now and then on the edge, which is a miss.
        QPoint at(r.left() + 1 + roll(r.width() - 1), r.top() + 1 + roll(r.height() - 1));
        if (chance(mood == Clicker ? 10 : 1))
            at = chance(50) ? QPoint(r.left(), at.y()) : QPoint(at.x(), r.top() + r.height());
        click(&form, at, chance(80) ? Qt::LeftButton : Qt::RightButton, chance(5));
    };
    auto actOnHelp = [&] {
        if (open(form3()))
            chance(mood == Reader ? 10 : 50) ? form3()->close() : (click(form3(), anywhere(form3())), true);
        else if (mood != Reader || timer2->isActive())
            click(&form, inside("PicBh"));
    };
    bool confirming = false; // by the last act at the open leaderboard
    auto text = [&] { return form2()->findChild<QLineEdit *>("nameEdit"); };
    auto confirm = [&] { return form2()->findChild<QWidget *>("confirmButton"); };
    // Each act with its weight for each mood; each column sums to 100.
    const std::pair<std::array<int, 5>, std::function<void()>> acts[] = {
        {{60, 0, 0, 0, 0}, clickAnywhere},
        {{15, 3, 0, 2, 0},
         [&] {
             click(&form, inside(std::array{"PicB", "PicBh", "Picboy"}[roll(3)]));
         }},
        {{10, 55, 3, 10, 0}, answer},
        {{10, 40, 95, 85, 0}, tick},
        {{0, 2, 0, 3, 0}, actOnHelp},
        {{5, 0, 2, 0, 0}, [] { QCoreApplication::processEvents(); }},
        {{0, 0, 0, 0, 20}, [&] { QTest::keyClicks(text(), QString("abcXYZ09 ,").mid(roll(10), roll(5))); }},
        {{0, 0, 0, 0, 15}, [&] { form2()->close(); }},
        {{0, 0, 0, 0, 35},
         [&] {
             const QPoint at = chance(40) ? confirm()->geometry().center() : anywhere(form2());
             click(form2(), at), confirming = confirm()->geometry().contains(at);
         }},
        {{0, 0, 0, 0, 30},
         [&] {
             // Keys that confirm, edit, move the focus or press the focused button.
             const auto key = std::array{Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Escape,
                                         Qt::Key_Space}[roll(5)];
             QWidget *focus = key == Qt::Key_Return    ? text()
                              : form2()->focusWidget() ? form2()->focusWidget()
                                                       : form2();
             confirming = key == Qt::Key_Return || (focus == confirm() && key == Qt::Key_Space);
             QTest::keyClick(focus, key);
         }},
    };
    const QString boardPath = s.sPath + "mirafon1.tmp";
    auto boardBytes = [&] {
        QFile file(boardPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QByteArray boardAtOpening;
    QString typed;
    // A name confirmed must be on the board, and the board unchanged otherwise.
    auto checkBoard = [&] {
        leaderboard::BoardTable table;
        ASSERT_TRUE(leaderboard::readBoard(boardPath, table) || boardAtOpening.isEmpty());
        const bool named =
            std::count(table.boardNames.begin(), table.boardNames.end(), typed.replace(u',', u'，'));
        ASSERT_TRUE(confirming && !typed.isEmpty() ? named && ++tally["names written"]
                                                   : boardBytes() == boardAtOpening);
    };
    auto checkState = [&] {
        ASSERT_TRUE(s.livesLeft >= 0 && s.livesLeft <= 2) << s.livesLeft;
        for (int k = 0; k < 2; ++k)
            ASSERT_EQ(!widget(k ? "Pics1" : "Pics0")->isHidden(), k < s.livesLeft) << "life icon " << k;
        ASSERT_TRUE(s.questionIndex >= 0 && s.questionIndex <= s.wordCount);
        ASSERT_TRUE(s.figureNo >= 1 && s.figureNo <= 2 && s.level >= 1 && s.level <= 3)
            << s.figureNo << s.level;
        ASSERT_TRUE(s.gameRunning == 0 || s.gameRunning == -1);
        std::vector<qint16> order(s.questionOrder.begin(), s.questionOrder.begin() + s.wordCount);
        std::sort(order.begin(), order.end());
        for (int i = 0; s.gameRunning && i < s.wordCount; ++i)
            ASSERT_EQ(order[i], i) << "the round's order is no permutation";
        ASSERT_FALSE(open(form2()) && s.gameRunning) << "a game runs behind the leaderboard";
        ASSERT_EQ(form.isEnabled(), !open(form2()) && !open(form3())) << open(form2()) << open(form3());
        const QString score = label("Label2");
        ASSERT_TRUE(score.isEmpty() ? s.fcount == 0 : score == QString::number(s.fcount))
            << score.toStdString();
    };

    for (quint64 event = 0; event < events; ++event) {
        SCOPED_TRACE(testing::Message() << "event " << event << ", mood " << mood);
        const bool wasRunning = s.gameRunning, boardWasOpen = open(form2());
        const int column = boardWasOpen && chance(60) ? AtTheBoard : mood;
        typed = boardWasOpen && text()->isVisible() && confirm()->isVisible() ? text()->text() : QString();
        confirming = false;
        if (column != AtTheBoard && open(form3()) && chance(mood == Reader ? 1 : 30)) {
            actOnHelp();
        } else if (!s.gameRunning && !open(form3()) && !open(form2()) && chance(30)) {
            click(&form, inside("PicB"));
        } else {
            int pick = roll(100);
            std::find_if(std::begin(acts), std::end(acts), [&](auto &act) {
                return (pick -= act.first[column]) < 0;
            })->second();
        }
        // What was clicked during a hold arrives once the handler is done, and may itself be held.
        for (int n = 0; queued > 0 && n < 50; ++n, --queued, ++tally["clicks queued in a hold"]) {
            clickAnywhere();
            ASSERT_NO_FATAL_FAILURE(checkState()) << "after a click made during a hold";
        }
        queued = 0;
        record.clear();
        if (!wasRunning && s.gameRunning)
            mood = std::array{Clicker, Clicker, Player, Player, Idler, Idler, Reader}[roll(7)];
        if (boardWasOpen && !open(form2())) {
            ASSERT_NO_FATAL_FAILURE(checkBoard());
        } else if (!boardWasOpen && open(form2())) {
            boardAtOpening = boardBytes();
            ++tally[s.livesLeft <= 0  ? "games lost"
                    : s.gameCompleted ? "games completed"
                                      : "games out of time"];
        }
        ASSERT_NO_FATAL_FAILURE(checkState());
    }
    for (const auto &[what, count] : tally)
        std::cout << "  " << what << ": " << count << std::endl;
    // A run that never reached these proves little.
    for (const char *what : {"games lost", "games completed", "games out of time", "names written"})
        EXPECT_GT(tally[what], 0) << what;
}
