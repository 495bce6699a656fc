#include "classic_palette.h"
#include "picture_box.h"
#include "window_surface.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPixmap solid(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

QColor pixel(QWidget &w, int x, int y)
{
    return w.grab().toImage().pixelColor(x, y);
}

} // namespace

TEST(WindowSurface, PaintedPicturesStayUntilClearedAndTheBackgroundPictureStays)
{
    toolkit::WindowSurface surface;
    surface.resize(100, 80);
    surface.setBackgroundColour(toolkit::classicColour(1));
    surface.setPicture(solid({50, 50}, Qt::green));
    surface.paintPicture({10, 10}, solid({5, 5}, Qt::red));
    surface.show();

    // Each grab repaints from scratch, as uncovering the window would.
    for (int repaint = 0; repaint < 2; ++repaint) {
        EXPECT_EQ(pixel(surface, 12, 12), QColor(Qt::red));
        EXPECT_EQ(pixel(surface, 30, 30), QColor(Qt::green));
        EXPECT_EQ(pixel(surface, 70, 70), QColor(0, 0, 128));
    }
    surface.hide();
    surface.show();
    EXPECT_EQ(pixel(surface, 12, 12), QColor(Qt::red));

    surface.clearDrawing();
    EXPECT_FALSE(surface.hasDrawing());
    EXPECT_EQ(pixel(surface, 12, 12), QColor(Qt::green));

    // Replacing the picture shows the new one; drawing made since stays on top.
    surface.paintPicture({0, 0}, solid({2, 2}, Qt::white));
    surface.setPicture(solid({50, 50}, Qt::yellow));
    EXPECT_EQ(pixel(surface, 30, 30), QColor(Qt::yellow));
    EXPECT_EQ(pixel(surface, 1, 1), QColor(Qt::white));
}

TEST(WindowSurface, ReportsPressesOnItselfButNotOnItsControls)
{
    toolkit::WindowSurface surface;
    surface.resize(200, 100);
    auto *label = new QLabel("word", &surface);
    label->setGeometry(100, 0, 50, 20);
    auto *box = new toolkit::PictureBox(&surface);
    box->setGeometry(100, 50, 20, 20);
    surface.show();
    QSignalSpy downs(&surface, &toolkit::WindowSurface::mouseDown);

    QTest::mousePress(&surface, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(downs[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(downs[0][2].toFloat(), 12);
    EXPECT_FLOAT_EQ(downs[0][3].toFloat(), 34);

    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(downs.size(), 1);

    // A double click arrives as two presses and a double-click event; each
    // press is one mouse-down, the double-click event none.
    const QPointF at(40, 40);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, at.toPoint());
    QTest::mousePress(&surface, Qt::LeftButton, {}, at.toPoint());
    QMouseEvent dblClick(QEvent::MouseButtonDblClick, at, surface.mapToGlobal(at), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface, &dblClick);
    QTest::mouseRelease(&surface, Qt::LeftButton, {}, at.toPoint());
    EXPECT_EQ(downs.size(), 3);

    label->hide(); // a hidden control leaves the surface beneath it bare
    QTest::mousePress(&surface, Qt::MiddleButton, {}, QPoint(110, 5));
    EXPECT_EQ(downs.size(), 4);
}

TEST(PictureBox, FitsItsPictureAndKeepsFilledBoxesInPaletteColours)
{
    toolkit::PictureBox box;
    box.setFitsPicture(true);
    box.setPicture(solid({16, 16}, Qt::magenta));
    EXPECT_EQ(box.size(), QSize(16, 16));

    toolkit::PictureBox bar;
    bar.setGeometry(0, 0, 9, 40);
    bar.setBackgroundColour(QColor(255, 255, 128));
    bar.show();
    bar.fillBox({1, 1}, {7, 30}, 1);
    bar.fillBox({1, 2}, {7, 3}, 12);
    EXPECT_EQ(pixel(bar, 0, 0), QColor(255, 255, 128));
    EXPECT_EQ(pixel(bar, 1, 1), QColor(0, 0, 128));
    EXPECT_EQ(pixel(bar, 7, 2), QColor(255, 0, 0));
    EXPECT_EQ(pixel(bar, 4, 3), QColor(255, 0, 0)) << "the far corner is part of the box";
    EXPECT_EQ(pixel(bar, 4, 4), QColor(0, 0, 128));
    EXPECT_EQ(pixel(bar, 8, 10), QColor(255, 255, 128));
    EXPECT_EQ(pixel(bar, 4, 31), QColor(255, 255, 128));

    bar.hide();
    bar.show();
    EXPECT_EQ(pixel(bar, 4, 3), QColor(255, 0, 0));
    bar.clearDrawing();
    EXPECT_EQ(pixel(bar, 4, 3), QColor(255, 255, 128));
}

TEST(PictureBox, ClickIsAPressAndReleaseOnTheBox)
{
    toolkit::PictureBox box;
    box.resize(30, 30);
    box.show();
    QSignalSpy clicks(&box, &toolkit::PictureBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.size(), 1);
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks.size(), 1) << "released outside: no click";
}

TEST(ClassicPalette, NavyAndRed)
{
    EXPECT_EQ(toolkit::classicColour(1), QColor(0, 0, 128));
    EXPECT_EQ(toolkit::classicColour(12), QColor(255, 0, 0));
    EXPECT_EQ(toolkit::classicColour(15), QColor(255, 255, 255));
}
