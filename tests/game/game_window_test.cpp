// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"
#include "children.h"
#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"
#include "text_item.h"
#include "word_record.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>

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
    // A hit flashes through its hold; the last hit's flash goes, and no hint follows it.
    click(board, session.askedSpot().center());
    EXPECT_TRUE(item("flash")->isVisible()) << "the hit did not flash";
    endHolds(session);
    while (session.phase() == GameSession::Phase::Asking)
        answer();
    EXPECT_FALSE(item("flash")->isVisible() || item("hint")->isVisible()) << "the flash stays";
}

TEST_F(GameWindowTest, DialogsOwnedAndBoardGetsScore)
{
    // A game ends over the full-screen game, the next one in a window, each with help open.
    for (bool full : {true, false}) {
        window.actions().front()->trigger();
        click(widget("helpButton"), {5, 5});
        session.start();
        for (QPoint at : {QPoint(282, 235), QPoint(3, 3), QPoint(3, 3)}) { // the tooth, then two misses
            session.click(float(at.x()), float(at.y()));
            endHolds(session);
        }
        click(widget("startButton"), {5, 5});
        EXPECT_EQ(session.phase(), GameSession::Phase::Idle) << "the game took a click behind its dialogs";
        ASSERT_EQ(toolkit::openDialogs(&window).size(), 2) << "help and the leaderboard are not both open";
        for (QWidget *child : toolkit::openDialogs(&window)) {
            SCOPED_TRACE(child->windowTitle().toStdString());
            EXPECT_EQ(child->windowHandle()->transientParent(), window.windowHandle())
                << "not owned by the game";
        }
        auto *board = openChild<LeaderboardWindow>();
        // Centred over the game, give or take the frame Qt allows for.
        const QPoint offCentre = board->geometry().center() - window.geometry().center();
        if (!full) {
            EXPECT_LE(std::max(std::abs(offCentre.x()), std::abs(offCentre.y())), 60)
                << "the board stays where the full-screen game put it";
        }
        QTest::keyClicks(board->findChild<QLineEdit *>(), "Ann\r");
        openChild<HelpWindow>()->close();
        window.grab(); // waits for the pictures being enlarged on worker threads
    }
    leaderboard::Board board;
    ASSERT_TRUE(leaderboard::readBoard(boardDir.path() + "/mirafon1.tmp", board)) << "no board";
    EXPECT_EQ(board[0].score, 1060) << "the board did not get the game's score";
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
    for (int miss = 0; miss < 2; ++miss) {
        session.click(3, 3);
        endHolds(session);
    }
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

// A screen reader walks the window's controls down from the window, and
// finds what a game shows.
TEST_F(GameWindowTest, ScreenReaderFindsWhatTheBoardShows)
{
    session.start();
    QStringList names;
    std::function<void(QAccessibleInterface *)> visit = [&](QAccessibleInterface *node) {
        names << node->text(QAccessible::Name);
        for (int k = 0; k < node->childCount(); ++k)
            visit(node->child(k));
    };
    visit(QAccessible::queryAccessibleInterface(&window));
    for (const char *name : {"开始", "帮助", "小动物", "生命", "时间", "单词", "得分"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << "no control named " << name;
}

// Practice has no time, lives or score to show, and keeps its answers in the
// record without opening the leaderboard; the next game shows them again.
TEST_F(GameWindowTest, PracticeHidesTimeLivesAndScore)
{
    // The record lists figure 1's words first, in list order: the tooth is tenth.
    auto timesAsked = [] {
        return progress::readRecord(progress::recordPath(progress::FirstChildId)).value(9).asked;
    };
    const QList<QWidget *> notInPractice =
        window.findChildren<QWidget *>("life") + QList<QWidget *>{widget("timeBar"), widget("score")};
    // Practice as the program starts, then after a game whose clock ran out.
    for (const char *when : {"at the start", "after a game"}) {
        SCOPED_TRACE(when);
        const int asked = timesAsked();
        window.startPractice({{1, 9}});
        for (QWidget *label : notInPractice)
            EXPECT_FALSE(label->isVisible()) << label->objectName().toStdString() << " shows in practice";
        EXPECT_TRUE(item("hint")->isVisible()) << "no hint in practice";
        EXPECT_TRUE(item("mascotPicture")->isVisible()) << "no mascot in practice";
        answer();
        EXPECT_EQ(timesAsked(), asked + 1) << "practice's answers not kept";
        EXPECT_EQ(openChild<LeaderboardWindow>(), nullptr) << "practice opened the leaderboard";
        click(widget("startButton"), {5, 5});
        for (QWidget *label : notInPractice)
            EXPECT_TRUE(label->isVisible())
                << label->objectName().toStdString() << " hidden in the game after practice";
        for (int tick = 0; tick < 479; ++tick)
            session.clockTick();
        auto *board = openChild<LeaderboardWindow>();
        ASSERT_NE(board, nullptr) << "the game after practice did not end with its clock";
        board->close();
    }
}
