// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_window_peer.h"

#include <private/qwindow_p.h>
#include <qpa/qwindowsysteminterface.h>

using Form1Test = GameWindowPeer;

TEST_F(Form1Test, RoundsGoFigureByFigureWithHintsAtLevelOneAPauseThatIgnoresClicksAndTheClockPaid)
{
    form.PicB_Click();
    int flashes = 0; // the word's picture shown while a hit is held, at every level
    onHold = [&] { flashes += hint(); };
    qint32 score = 0;
    for (auto [figure, level] : {std::pair(1, 1), {2, 1}, {1, 2}, {2, 2}}) {
        SCOPED_TRACE(testing::Message() << "figure " << figure << " level " << level);
        ASSERT_TRUE(s.figureNo == figure && s.level == level);
        // The mascot says the word again, with the frame of its level and figure.
        form.Picboy_Click();
        EXPECT_TRUE(shows(mascot, content::speakingMascot(level, figure)) && last(1) == last());
        while (s.gameRunning && s.questionIndex < s.wordCount) {
            EXPECT_TRUE(label("Label3") == s.wordList[asked()] &&
                        last() == cue(content::wordSound(figure, asked())));
            EXPECT_TRUE(hint() == (level == 1) && cleanBesideHint());
            score = s.fcount;
            answer();
        }
        EXPECT_TRUE(shows(surface, 100 * figure));
        if (figure == 2 && level == 2)
            break;
        // The cheer, and the clock runs on into the pause, where neither a miss nor a would-be hit
        // counts; the sixth tick ends it.
        EXPECT_TRUE(last() == cue(content::CheerSound) && timer1->isActive());
        const qsizetype heard = record.size();
        click({3, 3});
        answer();
        play(0, 5);
        EXPECT_TRUE(record.size() == heard && s.livesLeft == 2 && s.figureNo == figure &&
                    !timer1->isActive());
        play(0, 1);
    }
    EXPECT_EQ(std::tuple(flashes, seeds, s.fcount), std::tuple(40, 4, score + (400 - 1) * 30));
    EXPECT_TRUE(!s.gameRunning && form2()->isVisible());
    // Level 3 has no mascot: the one of the round just finished falls silent.
    form.TimerBoy_Timer();
    EXPECT_TRUE(s.level == 3 && shows(mascot, content::idleMascot(2, 2)));
    form2()->close();
    form.PicB_Click();
    EXPECT_TRUE(s.level == 1 && s.figureNo == 1 && hint());
}

TEST_F(Form1Test, JudgesTheInsideOfTheAskedSpotOnlyByAnyButtonAndScoresBySpeed)
{
    form.PicB_Click();
    ASSERT_EQ(s.wordList[asked()], "brow"); // 274,158,301,169
    click({301, 160});
    EXPECT_TRUE(s.questionIndex == 0 && s.livesLeft == 1 && last() == cue(content::MissSound, true));
    click({275, 159});
    EXPECT_TRUE(s.fcount == 1060 && last(2) == "hold 400" && last(1) == cue(content::HitSound, true));
    // Through the window's own surface every button counts.
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(288, 258));  // chin
    QTest::mouseClick(surface, Qt::MiddleButton, {}, QPoint(280, 190)); // eye
    EXPECT_TRUE(s.questionIndex == 3 && s.fcount == 1060 + 60 + 1000 / 2 + 60 + 1000 / 3);
    // The tenth answer scores nothing; a thousand and one points since the last step raise the bonus.
    play(9);
    const qint32 score = s.fcount;
    s.lastBonusScore = qint16(s.fcount - 1001);
    answer();
    EXPECT_TRUE(s.fcount == score && s.bonusLevel == 2 && s.lastBonusScore == score);
    // Overlapping spots are judged by the word asked only.
    play(0, 6);
    play(6);
    ASSERT_EQ(s.wordList[asked()], "mouth");
    click({202, 304}); // on the tongue
    EXPECT_TRUE(s.questionIndex == 7 && s.livesLeft == 1);
}

TEST_F(Form1Test, AClickWaitingWhileAHitFlashesIsJudgedAfterItAgainstTheNextWord)
{
    form.PicB_Click();
    // A second press on the brow, queued in the window system as the first is judged.
    const QPointF brow = spot().center();
    QWindow *window = form.windowHandle();
    for (auto [type, button] :
         {std::pair(QEvent::MouseButtonPress, Qt::RightButton), {QEvent::MouseButtonRelease, Qt::NoButton}})
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, brow, window->mapToGlobal(brow), button, Qt::RightButton, type);
    answer();
    EXPECT_TRUE(s.questionIndex == 1 && s.livesLeft == 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.questionIndex == 1 && s.livesLeft == 1) << "the chin was asked when it came";
}

TEST_F(Form1Test, HelpFreezesTheClockTillTheNextRoundWhichRunsOutAtTheTick479EvenInAFlashOrThePause)
{
    form.PicB_Click();
    form.PicBh_Click();
    form3()->close();
    EXPECT_FALSE(timer1->isActive());
    play(s.wordCount);
    // Help opened in the pause; the next round starts the clock behind it.
    form.PicBh_Click();
    play(0, 6);
    EXPECT_TRUE(s.figureNo == 2 && timer1->isActive() && last() == cue(content::wordSound(2, asked())));
    form.Timer1_Timer();
    EXPECT_TRUE(bar(Qt::darkBlue, {1, 4}) && bar(Qt::red, {2, 3}));
    for (int tick = 2; tick <= 478; ++tick)
        form.Timer1_Timer();
    EXPECT_EQ(s.gameRunning, -1);
    // The 479th tick comes while a hit flashes: the game ends and the hit counts for nothing.
    const qint32 score = s.fcount;
    timer1->start(0);
    answer();
    EXPECT_TRUE(s.gameRunning == 0 && s.questionIndex == 0 && s.fcount == score && last() == "hold 400");
    EXPECT_TRUE(bar(Qt::darkBlue, {1}) && bar(Qt::red, {2, 480}) && bar(QColor(255, 255, 128), {0, 481}));
    EXPECT_TRUE(shows(surface, 200) && form2()->isVisible() && form3()->isVisible());
    form2()->close();
    // Run out in the pause, the clock ends the game without another round.
    form.PicB_Click();
    play(s.wordCount);
    s.timeBarPos = 479;
    form.Timer1_Timer();
    EXPECT_TRUE(!s.gameRunning && form2()->isVisible() && !timer2->isActive());
}

TEST_F(Form1Test, TimersTickPreciselyAtTheirIntervalsAndTheMascotFallsSilentHalfASecondAfterAClick)
{
    EXPECT_EQ(intervals, QList({300, 500, 500}));
    timerBoy->setInterval(intervals[2]);
    form.PicB_Click();
    QTest::mouseClick(mascot, Qt::LeftButton, {}, QPoint(5, 5));
    const QImage speaking = mascot->grab().toImage();
    QTest::qWait(300);
    EXPECT_EQ(mascot->grab().toImage(), speaking) << "silent already after 300 ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return mascot->grab().toImage() != speaking; }, 3000));
}

TEST_F(Form1Test, ChildWindowsAreOwnedByTheGameStayEnabledAndTheLeaderboardIsPlacedAfreshAfterFullScreen)
{
    form.PicBh_Click();
    EXPECT_EQ(form3()->windowHandle()->transientParent(), form.windowHandle())
        << "help is not owned by the game";
    EXPECT_TRUE(!form.isEnabled() && form3()->isEnabled()) << "help is disabled with the game";
    form3()->close();
    // A game ends over the full-screen game, the next one in a window.
    for (bool full : {true, false}) {
        form.actions().front()->trigger();
        form.PicB_Click();
        s.timeBarPos = 479;
        form.Timer1_Timer();
        EXPECT_EQ(form2()->windowHandle()->transientParent(), form.windowHandle())
            << "the leaderboard is not owned";
        EXPECT_TRUE(!form.isEnabled() && form2()->isEnabled()) << "the leaderboard is disabled with the game";
        EXPECT_NE(QWindowPrivate::get(form2()->windowHandle())->positionAutomatic, full)
            << (full ? "the leaderboard is not placed over the full-screen game"
                     : "the leaderboard keeps the place it had over the full-screen game");
        form2()->close();
        form.grab(); // waits for the pictures being enlarged on worker threads
    }
}
