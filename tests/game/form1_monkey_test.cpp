// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A child at the mouse: thousands of random events against the real main
// window, its help and its leaderboard, with the game's state checked after
// every one. TOVASEL_MONKEY_SEED repeats a run; TOVASEL_MONKEY_EVENTS sets
// its length.
#include "board_file.h"
#include "cue_player.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "picture_box.h"
#include "seams.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <iostream>
#include <map>
#include <numeric>
#include <random>

namespace {

quint64 settingOr(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// What the child is up to during one game; each weighs the kinds of event.
enum class Mood { Clicker, Player, Idler, Reader };
enum class Act { Anywhere, Control, Answer, Tick, Help, Pass };

struct Weights
{
    Act act;
    int weight;
};

// clang-format off
const std::map<Mood, std::vector<Weights>> moods = {
    {Mood::Clicker, {{Act::Anywhere, 60}, {Act::Control, 15}, {Act::Answer, 10}, {Act::Tick, 10}, {Act::Pass, 5}}},
    {Mood::Player, {{Act::Answer, 55}, {Act::Tick, 40}, {Act::Control, 3}, {Act::Help, 2}}},
    {Mood::Idler, {{Act::Tick, 95}, {Act::Answer, 3}, {Act::Pass, 2}}},
    // Opens help and leaves it open while the clock and the pause run on.
    {Mood::Reader, {{Act::Help, 3}, {Act::Tick, 85}, {Act::Answer, 10}, {Act::Control, 2}}},
};
// clang-format on

const std::map<Mood, const char *> moodNames = {
    {Mood::Clicker, "clicker"}, {Mood::Player, "player"}, {Mood::Idler, "idler"}, {Mood::Reader, "reader"}};

// Names as a child types them, and as the board stores them.
const QString nameLetters = QStringLiteral("abcXYZ09 ,小明李华");

struct Click
{
    QPoint at;
    Qt::MouseButton button;
    bool twice = false; // a double click
};

} // namespace

class Form1Peer : public ::testing::Test, public CuePlayer, public Hold, public RandomSource
{
protected:
    quint64 seed = settingOr("TOVASEL_MONKEY_SEED", std::random_device{}());
    std::mt19937_64 dice{seed};
    QTemporaryDir boardDir;
    std::unique_ptr<Form1> form;
    Mood mood = Mood::Clicker;
    std::deque<Click> queued; // clicks made while the window was held
    std::map<std::string, int> tally;
    // The board and the place the open leaderboard will write to.
    leaderboard::BoardTable boardBefore;
    int expectedPlace = -1;
    QByteArray bytesAtOpening;

    void SetUp() override
    {
        form = std::make_unique<Form1>(*this, *this, *this);
        form->s_.sPath = boardDir.path() + '/';
        // Ticks come only from the monkey, so that a seed repeats its run.
        for (QTimer *timer : timers())
            timer->setInterval(24 * 3600 * 1000);
        form->show();
    }
    void TearDown() override
    {
        // Child windows first: they keep a reference to the folder path.
        form->form2_.reset();
        form->form3_.reset();
        form.reset();
    }

    // The seams: sounds and holds take no time, but a child keeps clicking.
    void play(const QByteArray &, bool wait) override
    {
        if (wait)
            clickMeanwhile();
    }
    void hold(int) override
    {
        clickMeanwhile();
        // A clock tick due just before the flash is held runs inside it.
        if (chance(20))
            tickSomeTimer();
    }
    void seedFromClock() override {}
    float nextFraction() override { return std::uniform_real_distribution<float>(0.f, 1.f)(dice); }

    int roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice); }
    bool chance(int percent) { return roll(100) < percent; }

    std::vector<QTimer *> timers() { return {form->Timer1, form->Timer2, form->TimerBoy}; }
    Form2 *board() { return form->form2_.get(); }
    Form3 *helpWindow() { return form->form3_.get(); }
    bool boardOpen() { return board() && board()->isVisible(); }
    bool helpOpen() { return helpWindow() && helpWindow()->isVisible(); }
    const Form1State &s() { return form->s_; }
    bool questionCurrent()
    {
        return s().gameRunning && s().questionIndex < s().wordCount && !form->Timer2->isActive();
    }

    // An eager child clicks on while the window is held; a careful one waits.
    void clickMeanwhile()
    {
        const int clicks = mood == Mood::Clicker ? roll(4) : chance(3);
        for (int n = clicks; n > 0; --n) {
            queued.push_back(randomClick());
            ++tally["clicks queued in a hold"];
        }
    }

    Click randomClick()
    {
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                  Qt::MiddleButton};
        return {{roll(form->width()), roll(form->height())}, buttons[roll(4)], chance(10)};
    }

    // Through the window system, as a real click comes: to the control under
    // the pointer, and not at all while the window is disabled.
    void click(QWidget *window, Click c)
    {
        if (c.twice)
            QTest::mouseDClick(window->windowHandle(), c.button, {}, c.at);
        else
            QTest::mouseClick(window->windowHandle(), c.button, {}, c.at);
        ++tally[c.twice ? "double clicks" : "clicks"];
    }

    void tickSomeTimer()
    {
        std::vector<QTimer *> running;
        for (QTimer *timer : timers()) {
            if (timer->isActive())
                running.push_back(timer);
        }
        if (running.empty())
            return;
        QTimer *timer = running[roll(int(running.size()))];
        ++tally["ticks"];
        if (timer == form->Timer1)
            form->Timer1_Timer();
        else if (timer == form->Timer2)
            form->Timer2_Timer();
        else
            form->TimerBoy_Timer();
    }

    QPoint inside(QWidget *control)
    {
        const QRect r = control->geometry() & control->parentWidget()->rect();
        return control->parentWidget()->mapTo(form.get(),
                                              QPoint(r.left() + roll(r.width()), r.top() + roll(r.height())));
    }

    void pressStart() { click(form.get(), {inside(form->PicB), Qt::LeftButton}); }

    void act(Act what)
    {
        switch (what) {
        case Act::Anywhere:
            click(form.get(), randomClick());
            break;
        case Act::Control: {
            QWidget *controls[] = {form->PicB,    form->PicBh,  form->Picboy, form->Pics[0],
                                   form->Pics[1], form->Label2, form->Label3, form->PicLong};
            click(form.get(), {inside(controls[roll(std::size(controls))]), Qt::LeftButton});
            break;
        }
        case Act::Answer: {
            if (!questionCurrent()) {
                // Between games the start button, in the pause anything.
                click(form.get(), {s().gameRunning ? randomClick().at : inside(form->PicB), Qt::LeftButton});
                break;
            }
            const qint16 w = s().questionOrder[s().questionIndex];
            const int x1 = s().spotLeft[w], y1 = s().spotTop[w], x2 = s().spotRight[w],
                      y2 = s().spotBottom[w];
            // Mostly well inside; now and then on the edge, which is a miss.
            QPoint at(x1 + 1 + roll(x2 - x1 - 1), y1 + 1 + roll(y2 - y1 - 1));
            if (chance(mood == Mood::Clicker ? 10 : 1))
                at = chance(50) ? QPoint(x1, at.y()) : QPoint(at.x(), y2);
            click(form.get(), {at, chance(80) ? Qt::LeftButton : Qt::RightButton, chance(5)});
            break;
        }
        case Act::Tick:
            tickSomeTimer();
            break;
        case Act::Help:
            if (helpOpen()) {
                if (chance(mood == Mood::Reader ? 10 : 50))
                    helpWindow()->close();
                else
                    click(helpWindow(),
                          {{roll(helpWindow()->width()), roll(helpWindow()->height())}, Qt::LeftButton});
            } else if (mood != Mood::Reader || form->Timer2->isActive()) {
                // A reader opens help while the cheer plays, and the next
                // round starts the clock behind it.
                click(form.get(), {inside(form->PicBh), Qt::LeftButton});
                tally["help opened"] += helpOpen();
            }
            break;
        case Act::Pass:
            QCoreApplication::processEvents();
            break;
        }
    }

    // Latin letters from the keyboard, Chinese ones from an input method.
    void typeLetter(QLineEdit *text, QChar letter)
    {
        if (letter.unicode() < 128) {
            QTest::keyClicks(text, QString(letter));
        } else {
            QInputMethodEvent compose;
            compose.setCommitString(QString(letter));
            QApplication::sendEvent(text, &compose);
        }
    }

    QByteArray boardBytes()
    {
        QFile file(s().sPath + "mirafon1.tmp");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Typing, confirming, closing or clicking about in the open leaderboard.
    // A name confirmed must be on the board at its place; a window closed
    // otherwise leaves the board as it was.
    void actOnBoard()
    {
        auto *text = board()->findChild<QLineEdit *>("Text1");
        auto *confirm = board()->findChild<QPushButton *>("Command1");
        const QString typed = text->isVisible() ? text->text() : QString();
        bool confirming = false;
        switch (roll(6)) {
        case 5: {
            // Keys that edit, move the focus or press the focused button.
            static const Qt::Key keys[] = {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_Space};
            const Qt::Key key = keys[roll(int(std::size(keys)))];
            QWidget *focus = board()->focusWidget() ? board()->focusWidget() : board();
            confirming = focus == confirm && key == Qt::Key_Space;
            tally["keys to the leaderboard"] += 1;
            tally["space on the confirm button"] += confirming;
            QTest::keyClick(focus, key);
            break;
        }
        case 0:
            if (text->isVisible()) {
                for (int n = roll(6); n > 0; --n)
                    typeLetter(text, nameLetters[roll(int(nameLetters.size()))]);
            }
            break;
        case 1:
            confirming = text->isVisible();
            QTest::keyClick(text->isVisible() ? static_cast<QWidget *>(text) : board(), Qt::Key_Return);
            break;
        case 2:
            confirming = confirm->isVisible();
            click(board(), {confirm->geometry().center(), Qt::LeftButton});
            break;
        case 3:
            board()->close();
            break;
        default: {
            const QPoint at(roll(board()->width()), roll(board()->height()));
            confirming = confirm->isVisible() && confirm->geometry().contains(at);
            click(board(), {at, Qt::LeftButton});
            break;
        }
        }
        if (boardOpen())
            return;
        if (confirming && !typed.isEmpty()) {
            ASSERT_NO_FATAL_FAILURE(checkNameKept(typed));
        } else {
            ASSERT_EQ(boardBytes(), bytesAtOpening) << "the board changed without a confirmed name";
            ++tally["boards closed without a name"];
        }
    }

    // What the board will look like when the player confirms a name now.
    void noteBoardOpening(bool existed)
    {
        bytesAtOpening = boardBytes();
        leaderboard::BoardTable table;
        leaderboard::readBoard(s().sPath + "mirafon1.tmp", table);
        boardBefore = table;
        expectedPlace = existed ? leaderboard::findInsertPos(table, board()->fcount) : 0;
        ++tally[s().livesLeft <= 0  ? "games lost"
                : s().gameCompleted ? "games completed"
                                    : "games out of time"];
    }

    void checkNameKept(const QString &typed)
    {
        const QByteArray bytes = boardBytes();
        ASSERT_EQ(bytes.count("\r\n"), 10) << bytes.toStdString();
        leaderboard::BoardTable table;
        ASSERT_TRUE(leaderboard::readBoard(s().sPath + "mirafon1.tmp", table));
        QString stored = typed;
        stored.replace(u',', QChar(0xFF0C));
        ASSERT_EQ(table.boardNames[expectedPlace], stored);
        ASSERT_EQ(table.boardScores[expectedPlace], qint16(board()->fcount));
        for (int k = expectedPlace + 1; k < leaderboard::BoardPlaces; ++k)
            ASSERT_EQ(table.boardNames[k], boardBefore.boardNames[k - 1]);
        ++tally["names written"];
    }

    void checkState()
    {
        const Form1State &st = s();
        ASSERT_TRUE(st.livesLeft >= 0 && st.livesLeft <= 2) << st.livesLeft;
        for (int k = 0; k < 2; ++k)
            ASSERT_EQ(!form->Pics[k]->isHidden(), k < st.livesLeft) << "life icon " << k;
        ASSERT_TRUE(st.questionIndex >= 0 && st.questionIndex <= st.wordCount);
        ASSERT_TRUE(st.figureNo == 1 || st.figureNo == 2) << st.figureNo;
        ASSERT_TRUE(st.level >= 1 && st.level <= 3) << st.level;
        ASSERT_TRUE(st.gameRunning == 0 || st.gameRunning == -1);
        if (st.gameRunning) {
            std::vector<qint16> order(st.questionOrder.begin(), st.questionOrder.begin() + st.wordCount);
            std::sort(order.begin(), order.end());
            for (int i = 0; i < st.wordCount; ++i)
                ASSERT_EQ(order[i], i) << "the round's order is no permutation";
        }
        ASSERT_FALSE(boardOpen() && st.gameRunning) << "a game runs behind the leaderboard";
        ASSERT_EQ(form->isEnabled(), !boardOpen() && !helpOpen())
            << "main window enabled with child windows " << boardOpen() << helpOpen();
        const QString score = form->Label2->text();
        ASSERT_TRUE(score.isEmpty() ? st.fcount == 0 : score == QString::number(st.fcount))
            << score.toStdString();
    }
};

TEST_F(Form1Peer, SurvivesAChildAtTheMouse)
{
    const quint64 events = settingOr("TOVASEL_MONKEY_EVENTS", 20000);
    std::cout << "monkey seed " << seed << " (TOVASEL_MONKEY_SEED), " << events << " events" << std::endl;
    SCOPED_TRACE(testing::Message() << "TOVASEL_MONKEY_SEED=" << seed);

    bool wasRunning = false, boardWasOpen = false;
    for (quint64 event = 0; event < events; ++event) {
        SCOPED_TRACE(testing::Message() << "event " << event << ", " << moodNames.at(mood));
        const bool boardExisted = QFile::exists(s().sPath + "mirafon1.tmp");
        if (boardOpen()) {
            if (chance(60))
                ASSERT_NO_FATAL_FAILURE(actOnBoard());
            else
                act(Act(roll(6)));
        } else if (helpOpen() && chance(mood == Mood::Reader ? 1 : 30)) {
            // A reader keeps help open for a long while, mostly.
            act(Act::Help);
        } else if (!s().gameRunning && !helpOpen() && chance(30)) {
            pressStart();
        } else {
            const std::vector<Weights> &mix = moods.at(mood);
            int pick = roll(std::accumulate(mix.begin(), mix.end(), 0,
                                            [](int sum, Weights w) { return sum + w.weight; }));
            auto chosen =
                std::find_if(mix.begin(), mix.end(), [&](Weights w) { return (pick -= w.weight) < 0; });
            act(chosen->act);
        }
        // What was clicked during a hold arrives once the handler is done,
        // and may itself be held and clicked through.
        for (int n = 0; !queued.empty() && n < 50; ++n) {
            const Click c = queued.front();
            queued.pop_front();
            click(form.get(), c);
            ASSERT_NO_FATAL_FAILURE(checkState()) << "after a click made during a hold";
        }
        queued.clear();

        if (!wasRunning && s().gameRunning) {
            static const Mood mix[] = {Mood::Clicker, Mood::Clicker, Mood::Player, Mood::Player,
                                       Mood::Idler,   Mood::Idler,   Mood::Reader};
            mood = mix[roll(int(std::size(mix)))];
            ++tally[std::string("games by a ") + moodNames.at(mood)];
        }
        if (!boardWasOpen && boardOpen())
            noteBoardOpening(boardExisted);
        wasRunning = s().gameRunning;
        boardWasOpen = boardOpen();
        ASSERT_NO_FATAL_FAILURE(checkState());
    }

    for (const auto &[what, count] : tally)
        std::cout << "  " << what << ": " << count << std::endl;
    // A run that never reached these proves little.
    for (const char *what : {"games lost", "games completed", "games out of time", "names written"})
        EXPECT_GT(tally[what], 0) << what;
}
