// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_view.h"
#include "catalogue.h"
#include "drawings.h"
#include "full_screen.h"
#include "picture_item.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// The game's board in a window of its own: the figure, which leaves presses
// to the board, a life, which takes them, and the start button.
struct Board
{
    QWidget window;
    BoardView *view = new BoardView({619, 483}, &window);
    PictureItem *figure = view->addPicture("figure", {0, 0});
    PictureItem *life = view->addPicture("life", {504, 8});
    PictureItem *startPicture = view->addPicture("start", {496, 240});
    BoardView::Control *start = view->addControl(startPicture, "startButton");

    Board()
    {
        figure->setPicture(content::figurePicture(1));
        figure->setAcceptedMouseButtons(Qt::NoButton);
        life->setPicture(content::LifeIcon);
        startPicture->setPicture(content::StartButton);
    }
    void show(QSize size, bool fullScreen)
    {
        if (fullScreen)
            toolkit::toggleFullScreen(&window);
        window.show();
        window.resize(size);
        view->resize(size);
    }
    QImage shown(QRect area)
    {
        return view->viewport()->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    }
};

} // namespace

// A press is judged at the board pixel whose device pixels it falls on: the
// last screen column of one pixel and the first of the next, at each size.
TEST(BoardView, PressesAreJudgedInBoardPixels)
{
    struct Row
    {
        const char *name;
        QSize size;
        bool fullScreen;
        QPoint press; // in the view
        std::optional<QPoint> pixel;
    };
    const Row rows[] = {
        {"the window", {619, 483}, false, {282, 235}, QPoint(282, 235)},
        {"a life in the window", {619, 483}, false, {510, 12}, std::nullopt},
        {"a window smaller than the board", {600, 400}, false, {282, 235}, QPoint(282, 235)},
        {"1920x1080, pixel 282's last column", {1920, 1080}, true, {268 + 632, 540}, QPoint(282, 241)},
        {"1920x1080, pixel 283's first column", {1920, 1080}, true, {268 + 633, 540}, QPoint(283, 241)},
        {"1920x1080, the margin", {1920, 1080}, true, {267, 540}, std::nullopt},
        {"3840x2160, pixel 282's last column", {3840, 2160}, true, {536 + 1265, 450}, QPoint(282, 100)},
        {"3840x2160, pixel 283's first column", {3840, 2160}, true, {536 + 1266, 450}, QPoint(283, 100)},
        {"600x400, shrunk", {600, 400}, true, {43 + 233, 100}, QPoint(281, 121)},
    };
    for (const Row &row : rows) {
        Board board;
        board.show(row.size, row.fullScreen);
        QSignalSpy presses(board.view, &BoardView::pressed);
        // To the widget under the press, as the window system sends it.
        QWidget *target = board.view->childAt(row.press) ? board.view->childAt(row.press) : board.view;
        QTest::mouseClick(target, Qt::RightButton, {}, target->mapFrom(board.view, row.press));
        if (!row.pixel) {
            EXPECT_EQ(presses.size(), 0) << row.name << ": the press reached the board";
            continue;
        }
        ASSERT_EQ(presses.size(), 1) << row.name << ": the press did not reach the board";
        EXPECT_EQ(QPoint(presses[0][0].toInt(), presses[0][1].toInt()), *row.pixel) << row.name;
    }
}

TEST(BoardView, SecondPressOfADoubleClickAndStrayReleasesCountForNothing)
{
    Board board;
    board.show({619, 483}, false);
    QSignalSpy presses(board.view, &BoardView::pressed);
    QTest::mouseDClick(board.view->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(presses.size(), 0) << "the second press of a double click counted again";
    QSignalSpy clicks(board.start, &BoardView::Control::clicked);
    QTest::mouseRelease(board.start, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.size(), 0) << "a release without a press clicked the start button";
    QTest::mouseClick(board.start, Qt::MiddleButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.size(), 1) << "a click with the middle button did not start";
}

// At its own size the board shows the pictures' own pixels; larger, their
// drawings rendered for that size, again at each new size, each in its place.
TEST(BoardView, PicturesAreTheirPixelsOrTheirDrawingsAtTheBoardsSize)
{
    Board board;
    for (int factor : {1, 2, 3}) {
        board.show(QSize(619, 483) * factor, false);
        const int side = 483 * factor;
        const QImage figure = board.shown({0, 0, side, side});
        const QImage life = board.shown({504 * factor, 8 * factor, 16 * factor, 16 * factor});
        if (factor == 1) {
            EXPECT_EQ(figure, content::pictureImage(100).convertToFormat(QImage::Format_RGB32))
                << "the figure is not its own picture in the window";
            continue;
        }
        EXPECT_EQ(figure, content::renderDrawing(100, {side, side}, {0, 0, side, side}))
            << "the figure is not its drawing at factor " << factor;
        const QSize lifeSize(16 * factor, 16 * factor);
        EXPECT_EQ(life, content::renderDrawing(content::LifeIcon, lifeSize, QRect(QPoint(0, 0), lifeSize)))
            << "the life is not its drawing in its place at factor " << factor;
    }
}
