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
// last screen column of one pixel and the first of the next, at each size;
// presses on a life or in the margin reach no board pixel.
TEST(BoardView, PressesAreJudgedInBoardPixels)
{
    const QPoint None(-1, -1);
    const std::tuple<const char *, QSize, bool, QPoint, QPoint> rows[] = {
        // name, size, full screen, press in the view, board pixel
        {"the window", {619, 483}, false, {282, 235}, {282, 235}},
        {"a life in the window", {619, 483}, false, {510, 12}, None},
        {"a window smaller than the board", {600, 400}, false, {282, 235}, {282, 235}},
        {"1920x1080, pixel 282's last column", {1920, 1080}, true, {268 + 632, 540}, {282, 241}},
        {"1920x1080, pixel 283's first column", {1920, 1080}, true, {268 + 633, 540}, {283, 241}},
        {"1920x1080, the margin", {1920, 1080}, true, {267, 540}, None},
        {"3840x2160, pixel 282's last column", {3840, 2160}, true, {536 + 1265, 450}, {282, 100}},
        {"3840x2160, pixel 283's first column", {3840, 2160}, true, {536 + 1266, 450}, {283, 100}},
        {"600x400, shrunk", {600, 400}, true, {43 + 233, 100}, {281, 121}},
    };
    for (const auto &[name, size, fullScreen, press, pixel] : rows) {
        SCOPED_TRACE(name);
        Board board;
        board.show(size, fullScreen);
        QSignalSpy presses(board.view, &BoardView::pressed);
        // To the widget under the press, as the window system sends it.
        QWidget *target = board.view->childAt(press) ? board.view->childAt(press) : board.view;
        QTest::mouseClick(target, Qt::RightButton, {}, target->mapFrom(board.view, press));
        const QPoint judged = presses.isEmpty() ? None : QPoint(presses[0][0].toInt(), presses[0][1].toInt());
        EXPECT_EQ(judged, pixel) << "the board pixel pressed";
        EXPECT_LE(presses.size(), 1) << "one press judged twice";
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
        SCOPED_TRACE(testing::Message() << "at factor " << factor);
        board.show(QSize(619, 483) * factor, false);
        const auto drawn = [factor](int number, QSize size) {
            return factor == 1 ? content::pictureImage(number).convertToFormat(QImage::Format_RGB32)
                               : content::renderDrawing(number, size, QRect(QPoint(0, 0), size));
        };
        const QSize figure(483 * factor, 483 * factor), life(16 * factor, 16 * factor);
        EXPECT_EQ(board.shown({QPoint(0, 0), figure}), drawn(100, figure)) << "the figure";
        EXPECT_EQ(board.shown({QPoint(504, 8) * factor, life}), drawn(content::LifeIcon, life)) << "the life";
    }
}
