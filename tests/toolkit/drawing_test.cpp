// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classic_palette.h"
#include "picture_box.h"
#include "window_surface.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

using Pixels = std::initializer_list<std::pair<QPoint, QColor>>;
static const QColor Navy(0, 0, 128), Red(255, 0, 0), Pale(255, 255, 128);

static QPixmap solid(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// Each grab repaints the widget from scratch, as uncovering it would.
static void expectPixels(QWidget &widget, Pixels expected)
{
    const QImage image = widget.grab().toImage();
    for (const auto &[at, colour] : expected)
        EXPECT_EQ(image.pixelColor(at), colour) << "at " << at.x() << "," << at.y();
}

TEST(WindowSurface, KeepsWhatIsPaintedUntilClearedAndReportsPressesOnItselfOnly)
{
    toolkit::WindowSurface surface;
    surface.resize(200, 100);
    surface.setBackgroundColour(toolkit::classicColour(1));
    surface.setPicture(solid({50, 50}, Qt::green));
    surface.paintPicture({10, 10}, solid({5, 5}, Qt::red));
    auto *label = new QLabel("word", &surface);
    label->setGeometry(100, 0, 50, 20);
    auto *box = new toolkit::PictureBox(&surface);
    box->setGeometry(100, 50, 20, 20);
    surface.show();
    const Pixels painted = {{{12, 12}, Qt::red}, {{30, 30}, Qt::green}, {{70, 70}, Navy}};
    expectPixels(surface, painted);
    surface.hide();
    surface.show();
    expectPixels(surface, painted);
    surface.clearDrawing();
    expectPixels(surface, {{{12, 12}, Qt::green}});
    // Replacing the picture shows the new one without what was drawn on the
    // old; drawing made since stays on top.
    surface.paintPicture({0, 0}, solid({2, 2}, Qt::white));
    surface.setPicture(solid({50, 50}, Qt::yellow));
    expectPixels(surface, {{{30, 30}, Qt::yellow}, {{1, 1}, Qt::yellow}});
    surface.paintPicture({0, 0}, solid({2, 2}, Qt::white));
    expectPixels(surface, {{{1, 1}, Qt::white}});

    QSignalSpy downs(&surface, &toolkit::WindowSurface::mouseDown);
    QTest::mousePress(&surface, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(downs[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(std::pair(downs[0][2].toFloat(), downs[0][3].toFloat()), std::pair(12.0f, 34.0f));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(downs.size(), 1) << "a press on a control is not on the surface";
    // A double click arrives as two presses and a double-click event; each
    // press is one mouse-down, the double-click event none.
    QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mousePress(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseDClick(&surface, Qt::LeftButton, {}, QPoint(40, 40)); // the double-click event alone
    QTest::mouseRelease(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(downs.size(), 3);
    label->hide(); // a hidden control leaves the surface beneath it bare
    QTest::mousePress(&surface, Qt::MiddleButton, {}, QPoint(110, 5));
    EXPECT_EQ(downs.size(), 4);
}

TEST(PictureBox, KeepsFilledBoxesClicksOnPressAndReleaseInsideAndFitsItsPicture)
{
    toolkit::PictureBox box;
    box.setGeometry(0, 0, 9, 40);
    box.setBackgroundColour(Pale);
    box.show();
    box.fillBox({1, 1}, {7, 30}, 1);
    box.fillBox({1, 2}, {7, 3}, 12); // both corners are part of the box
    const Pixels filled = {{{0, 0}, Pale}, {{1, 1}, Navy},  {{7, 2}, Red},  {{4, 3}, Red},
                           {{4, 4}, Navy}, {{8, 10}, Pale}, {{4, 31}, Pale}};
    expectPixels(box, filled);
    box.clearDrawing();
    expectPixels(box, {{{4, 3}, Pale}, {{1, 1}, Pale}});

    QSignalSpy clicks(&box, &toolkit::PictureBox::clicked);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.size(), 1);
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks.size(), 1) << "released outside: no click";

    box.setFitsPicture(true);
    box.setPicture(solid({16, 16}, Qt::magenta));
    EXPECT_EQ(box.size(), QSize(16, 16));
}
