// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classic_palette.h"
#include "fonts.h"
#include "label_array.h"
#include "picture_box.h"
#include "twips.h"
#include "window_surface.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

static const QColor Navy(0, 0, 128), Red(255, 0, 0), Pale(255, 255, 128);

static QPixmap solid(QSize size, QColor colour)
{
    QPixmap p(size);
    p.fill(colour);
    return p;
}

// Each grab repaints the widget from scratch, as uncovering it would.
static void expectPixels(QWidget &widget, std::initializer_list<std::pair<QPoint, QColor>> expected)
{
    const QImage image = widget.grab().toImage();
    for (const auto &[at, colour] : expected)
        EXPECT_EQ(image.pixelColor(at), colour) << "at " << at.x() << "," << at.y();
}

TEST(WindowSurface, KeepsWhatIsPaintedUntilClearedAndReportsPressesOnItselfNotOnItsPictureBox)
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
    expectPixels(surface, {{{12, 12}, Qt::red}, {{30, 30}, Qt::green}, {{70, 70}, Navy}});
    surface.clearDrawing();
    expectPixels(surface, {{{12, 12}, Qt::green}});
    // A new picture drops what was drawn on the old; drawing made since stays on top.
    surface.paintPicture({0, 0}, solid({2, 2}, Qt::white));
    surface.setPicture(solid({50, 50}, Qt::yellow));
    surface.paintPicture({20, 20}, solid({2, 2}, Qt::white));
    expectPixels(surface, {{{1, 1}, Qt::yellow}, {{21, 21}, Qt::white}});

    QSignalSpy downs(&surface, &toolkit::WindowSurface::mouseDown);
    QTest::mousePress(&surface, Qt::RightButton, Qt::ShiftModifier, QPoint(12, 34));
    EXPECT_EQ(downs.value(0).value(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(downs.value(0).mid(2), QVariantList({12.0f, 34.0f}));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(downs.size(), 1) << "a press on a control is not on the surface";
    // A double click is two presses and a double-click event: two mouse-downs.
    QTest::mouseClick(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mousePress(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseDClick(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    label->hide(); // a hidden control leaves the surface beneath it bare
    QTest::mousePress(&surface, Qt::MiddleButton, {}, QPoint(110, 5));
    EXPECT_EQ(downs.size(), 4);

    // Both corners are part of a filled box; a click is a press and a release inside.
    box->setBackgroundColour(Pale);
    box->fillBox({1, 1}, {7, 15}, 1);
    box->fillBox({1, 2}, {7, 3}, 12);
    expectPixels(
        *box, {{{0, 0}, Pale}, {{1, 1}, Navy}, {{7, 2}, Red}, {{4, 3}, Red}, {{4, 4}, Navy}, {{8, 9}, Pale}});
    box->clearDrawing();
    expectPixels(*box, {{{4, 3}, Pale}});
    QSignalSpy clicks(box, &toolkit::PictureBox::clicked);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(3, 3)); // pressed elsewhere
    QTest::mousePress(box, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(clicks.size(), 1);
    box->setFitsPicture(true);
    box->setPicture(solid({16, 16}, Qt::magenta));
    EXPECT_EQ(box->size(), QSize(16, 16));
    // Full screen redraws what is drawn, never what was cleared, and judges a
    // press at the whole pixel shown, as the window does.
    surface.clearDrawing();
    surface.setZoom(2.0, QRect(0, 0, 200, 100), {});
    expectPixels(surface, {{{42, 42}, Qt::yellow}});
    QTest::mousePress(&surface, Qt::LeftButton, {}, QPoint(43, 41));
    EXPECT_EQ(downs.value(4).mid(2), QVariantList({21.0f, 20.0f}));
}

// A device pixel belongs to the area pixel whose enlarged rectangle covers
// it, at factors above and below 1.
TEST(ScaledRect, AreaPixelIsTheOneWhoseRectangleCoversTheDevicePixel)
{
    for (const qreal factor : {2160.0 / 483, 1080.0 / 483, 1.0, 400.0 / 483}) {
        for (int device = 0; device < 2200; ++device) {
            const QPoint pixel = toolkit::areaPixel({device, 2199 - device}, factor);
            const QRect covered = toolkit::scaledRect(QRect(pixel, QSize(1, 1)), factor);
            ASSERT_TRUE(covered.contains(device, 2199 - device))
                << "device " << device << " at factor " << factor << " went to " << pixel.x() << ","
                << pixel.y();
        }
    }
}

// 1000 twips are 66.7 pixels.
TEST(Twips, RoundToTheNearestPixelAndPlaceTheFrameAroundAFixedClientArea)
{
    QWidget window;
    toolkit::setOuterGeometryTwips(&window, 1500, 1000, 9400, 7600);
    EXPECT_EQ(window.pos(), QPoint(100, 67));
    EXPECT_EQ(window.size(), QSize(619, 483)) << "the figure's height and the word list beside it";
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST(LabelArray, CopiesMemberZerosPlaceAndBoldSongFont)
{
    QWidget window;
    auto *member0 = new QLabel(&window);
    member0->setGeometry(16, 88, 81, 25);
    member0->setFont(toolkit::songFont(12, true));
    const QList<QLabel *> labels = toolkit::makeLabelArray(member0, 10);
    ASSERT_TRUE(labels.size() == 10 && labels[0] == member0);
    for (QLabel *copy : labels)
        EXPECT_EQ(std::tuple(copy->parentWidget(), copy->geometry(), copy->font().bold()),
                  std::tuple(&window, QRect(16, 88, 81, 25), true));
}
