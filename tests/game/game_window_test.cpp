// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"
#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "window_surface.h"

#include <QLabel>
#include <QLineEdit>

#include <private/qwindow_p.h>
#include <qpa/qwindowsysteminterface.h>

TEST_F(GameWindowTest, ControlsReachTheSessionAndShowWhatItSays)
{
    auto text = [&](const char *label) { return window.findChild<QLabel *>(label)->text(); };
    click(widget("startButton"), {5, 5});
    ASSERT_EQ(session.phase(), GameSession::Phase::Asking) << "the start button did not start";
    EXPECT_EQ(text("wordLabel"), "tooth") << "the word asked";
    EXPECT_EQ(text("scoreLabel"), "") << "the score is not blank at the start";
    // Every button counts on the figure.
    answer(Qt::RightButton);
    answer(Qt::MiddleButton);
    EXPECT_EQ(session.askedWord(), 7) << "the answers did not reach the session";
    EXPECT_EQ(text("scoreLabel"), QString::number(session.score())) << "the score shown";
    click(surface, {3, 3});
    EXPECT_TRUE(widget("life2")->isHidden()) << "the life lost still shows";
    EXPECT_FALSE(widget("life1")->isHidden()) << "the life left is hidden";
    click(widget("mascot"), {5, 5});
    EXPECT_EQ(last(), cue(content::wordSound(1, session.askedWord())))
        << "the mascot did not say the word again";
}

TEST_F(GameWindowTest, AClickWaitingWhileAHitFlashesIsJudgedAfterItAgainstTheNextWord)
{
    session.start();
    // A second press on the tooth, queued in the window system as the first is judged.
    const QPointF tooth = session.askedSpot().center();
    QWindow *handle = window.windowHandle();
    for (auto [type, button] :
         {std::pair(QEvent::MouseButtonPress, Qt::RightButton), {QEvent::MouseButtonRelease, Qt::NoButton}})
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, tooth, handle->mapToGlobal(tooth), button, Qt::RightButton, type);
    session.click(float(tooth.x()), float(tooth.y()));
    EXPECT_EQ(session.livesLeft(), 2) << "the waiting click was judged during the flash";
    QCoreApplication::processEvents();
    EXPECT_EQ(session.livesLeft(), 1) << "the waiting click was not judged against the shoulder";
}

TEST_F(GameWindowTest, HelpStopsTheClockWhoseTicksFillTheBarTwoRowsEach)
{
    session.start();
    click(widget("helpButton"), {5, 5});
    EXPECT_FALSE(timer("gameClock")->isActive()) << "the clock runs behind help";
    openChild<HelpWindow>()->close();
    session.clockTick();
    const QImage bar = widget("timeBar")->grab().toImage();
    for (auto [row, colour] : {std::pair(1, Qt::darkBlue), {2, Qt::red}, {3, Qt::red}, {4, Qt::darkBlue}})
        EXPECT_EQ(bar.pixelColor(4, row), QColor(colour)) << "row " << row;
    // The last hit's flash goes, and no hint follows it.
    while (session.phase() == GameSession::Phase::Asking)
        answer();
    EXPECT_FALSE(static_cast<toolkit::WindowSurface *>(surface)->hasDrawing()) << "the flash stays";
}

TEST_F(GameWindowTest, TheMascotFallsSilentHalfASecondAfterAClick)
{
    timer("mascotTimer")->setInterval(500);
    session.start();
    QWidget *mascot = widget("mascot");
    click(mascot, {5, 5});
    const QImage speaking = mascot->grab().toImage();
    QTest::qWait(300);
    EXPECT_EQ(mascot->grab().toImage(), speaking) << "silent already after 300 ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return mascot->grab().toImage() != speaking; }, 3000))
        << "still speaking";
}

TEST_F(GameWindowTest, ChildWindowsAreOwnedStayEnabledAndTheBoardGetsTheScore)
{
    click(widget("helpButton"), {5, 5});
    auto *help = openChild<HelpWindow>();
    ASSERT_TRUE(help) << "help did not open";
    EXPECT_EQ(help->windowHandle()->transientParent(), window.windowHandle()) << "help is not owned";
    EXPECT_FALSE(window.isEnabled()) << "the game is enabled behind help";
    EXPECT_TRUE(help->isEnabled()) << "help is disabled with the game";
    help->close();
    // A game ends over the full-screen game, the next one in a window.
    for (bool full : {true, false}) {
        window.actions().front()->trigger();
        session.start();
        const QPoint tooth = session.askedSpot().center();
        session.click(tooth.x(), tooth.y());
        session.click(3, 3);
        session.click(3, 3);
        auto *board = openChild<LeaderboardWindow>();
        ASSERT_TRUE(board) << "the leaderboard did not open";
        EXPECT_EQ(board->windowHandle()->transientParent(), window.windowHandle())
            << "the board is not owned";
        EXPECT_TRUE(board->isEnabled()) << "the leaderboard is disabled with the game";
        EXPECT_NE(QWindowPrivate::get(board->windowHandle())->positionAutomatic, full)
            << (full ? "the leaderboard is not placed over the full-screen game"
                     : "the leaderboard keeps the place it had over the full-screen game");
        QTest::keyClicks(board->findChild<QLineEdit *>(), "Ann");
        QTest::keyClick(board->findChild<QLineEdit *>(), Qt::Key_Return);
        window.grab(); // waits for the pictures being enlarged on worker threads
    }
    leaderboard::BoardTable table;
    ASSERT_TRUE(leaderboard::readBoard(boardDir.path() + "/mirafon1.tmp", table)) << "no board";
    EXPECT_EQ(table.boardScores[0], 1060) << "the board did not get the game's score";
}
