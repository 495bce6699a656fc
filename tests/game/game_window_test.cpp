// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"
#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"
#include "text_item.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>

#include <private/qwindow_p.h>
#include <qpa/qwindowsysteminterface.h>

TEST_F(GameWindowTest, ControlsReachTheSessionAndShowWhatItSays)
{
    auto text = [&](const char *label) { return item<TextItem>(label)->text(); };
    click(widget("startButton"), {5, 5});
    EXPECT_EQ(text("wordLabel"), "tooth") << "the word asked";
    EXPECT_EQ(text("scoreLabel"), "") << "the score is not blank at the start";
    answer(Qt::RightButton);
    answer(Qt::MiddleButton);
    EXPECT_EQ(session.askedWord(), 7) << "answers with other buttons did not count";
    click(widget("helpButton"), {5, 5});
    EXPECT_FALSE(timer("gameClock")->isActive()) << "the clock runs behind help";
    openChild<HelpWindow>()->close();
    session.clockTick();
    const QImage bar = window.grab(QRect(483, 0, 9, 483)).toImage();
    for (auto [row, colour] : {std::pair(1, Qt::darkBlue), {2, Qt::red}, {3, Qt::red}, {4, Qt::darkBlue}})
        EXPECT_EQ(bar.pixelColor(4, row), QColor(colour)) << "the time bar's row " << row;
    click(widget("mascot"), {5, 5});
    EXPECT_EQ(last(), cue(content::wordSound(1, 7))) << "the mascot did not say the word again";
    QMetaObject::invokeMethod(timer("mascotTimer"), "timeout");
    EXPECT_FALSE(timer("mascotTimer")->isActive()) << "the mascot's timer does not silence it";
    // The last hit's flash goes, and no hint follows it.
    while (session.phase() == GameSession::Phase::Asking)
        answer();
    EXPECT_FALSE(item("flash")->isVisible() || item("hint")->isVisible()) << "the flash stays";
}

TEST_F(GameWindowTest, ClickDuringAFlashIsJudgedAfterIt)
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

TEST_F(GameWindowTest, ChildWindowsOwnedAndBoardGetsScore)
{
    // A game ends over the full-screen game, the next one in a window, each with help open.
    for (bool full : {true, false}) {
        window.actions().front()->trigger();
        click(widget("helpButton"), {5, 5});
        session.start();
        session.click(282, 235); // the tooth
        session.click(3, 3);
        session.click(3, 3);
        EXPECT_FALSE(window.isEnabled()) << "the game is enabled behind its children";
        ASSERT_EQ(toolkit::openChildren(&window).size(), 2) << "help and the leaderboard are not both open";
        for (QWidget *child : toolkit::openChildren(&window)) {
            SCOPED_TRACE(child->windowTitle().toStdString());
            EXPECT_EQ(child->windowHandle()->transientParent(), window.windowHandle())
                << "not owned by the game";
            EXPECT_TRUE(child->isEnabled()) << "disabled with the game";
        }
        auto *board = openChild<LeaderboardWindow>();
        EXPECT_EQ(QWindowPrivate::get(board->windowHandle())->positionAutomatic, !full)
            << "the board's placing";
        QTest::keyClicks(board->findChild<QLineEdit *>(), "Ann\r");
        openChild<HelpWindow>()->close();
        window.grab(); // waits for the pictures being enlarged on worker threads
    }
    leaderboard::BoardTable table;
    ASSERT_TRUE(leaderboard::readBoard(boardDir.path() + "/mirafon1.tmp", table)) << "no board";
    EXPECT_EQ(table.boardScores[0], 1060) << "the board did not get the game's score";
}

TEST_F(GameWindowTest, ProgressOnlyBetweenGamesAtItsSize)
{
    const ProgressWindow unopened(nullptr);
    auto pressCtrlP = [&] {
        for (QAction *action : window.actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_P))
                action->trigger();
    };
    session.start();
    pressCtrlP();
    EXPECT_EQ(openChild<ProgressWindow>(), nullptr) << "the parents' window opened during a game";
    session.click(3, 3);
    session.click(3, 3);
    openChild<LeaderboardWindow>()->close();
    window.actions().front()->trigger(); // full screen
    pressCtrlP();
    auto *progress = openChild<ProgressWindow>();
    ASSERT_NE(progress, nullptr) << "Ctrl+P between games opened nothing";
    EXPECT_EQ(progress->windowHandle()->transientParent(), window.windowHandle()) << "not owned by the game";
    EXPECT_EQ(progress->size().boundedTo(unopened.size()), progress->size())
        << "grown with the full-screen game";
}

// The window's frame stands where it was laid out, and inside it the board
// has its own size: the window shows it one pixel for one.
TEST_F(GameWindowTest, BoardFillsTheWindowAtItsPlace)
{
    EXPECT_EQ(QRect(window.pos(), window.size()), QRect(100, 67, 619, 483))
        << "the window misplaced or sized";
    EXPECT_EQ(window.findChild<QGraphicsView *>()->transform(), QTransform()) << "the board is scaled";
}

// A screen reader walks the window's controls down from the window.
TEST_F(GameWindowTest, ScreenReaderFindsTheButtonsAndTheMascot)
{
    session.start();
    QStringList names;
    std::function<void(QAccessibleInterface *)> visit = [&](QAccessibleInterface *node) {
        names << node->text(QAccessible::Name);
        for (int k = 0; k < node->childCount(); ++k)
            visit(node->child(k));
    };
    visit(QAccessible::queryAccessibleInterface(&window));
    for (const char *name : {"开始", "帮助", "小动物"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << "no control named " << name;
}
