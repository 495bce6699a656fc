// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "classic_palette.h"
#include "fonts.h"
#include "label_array.h"
#include "picture_box.h"
#include "single_instance.h"
#include "twips.h"
#include "window_surface.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

static QPixmap solid(QColor colour)
{
    QPixmap p(50, 50);
    p.fill(colour);
    return p;
}

// The colour at a point, repainted from scratch as uncovering the widget would.
static std::string shown(QWidget &widget, QPoint at)
{
    return widget.grab().toImage().pixelColor(at).name().toStdString();
}

// What is painted stays until cleared or a new picture comes; presses on
// the surface itself are reported once, in its own pixels when zoomed.
TEST(WindowSurface, KeepsPaintingAndOwnPresses)
{
    toolkit::WindowSurface surface;
    surface.resize(200, 100);
    surface.setBackgroundColour(toolkit::classicColour(1));
    surface.setPicture(solid(Qt::green));
    surface.paintPicture({10, 10}, solid(Qt::red));
    EXPECT_EQ(shown(surface, {50, 50}), "#ff0000") << "the painted picture is gone";
    EXPECT_EQ(shown(surface, {70, 90}), "#000080") << "the background is not navy";
    surface.clearDrawing();
    EXPECT_FALSE(surface.hasDrawing()) << "clearing kept what was painted";
    surface.paintPicture({20, 20}, solid(Qt::red));
    surface.setPicture(solid(Qt::green));
    EXPECT_FALSE(surface.hasDrawing()) << "a new picture kept what was painted on the old";

    auto *label = new QLabel("word", &surface);
    label->setGeometry(100, 0, 50, 20);
    QSignalSpy downs(&surface, &toolkit::WindowSurface::mouseDown);
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(downs.size(), 0) << "a press on a control went to the surface";
    QTest::mouseDClick(&surface, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(downs.size(), 0) << "the second press of a double click counted again";
    surface.setZoom(2.0, QRect(0, 0, 200, 100), {});
    QTest::mousePress(&surface, Qt::RightButton, {}, QPoint(43, 41));
    EXPECT_EQ(downs.value(0).mid(2), QVariantList({21.0f, 20.0f})) << "a zoomed press misplaced";
}

TEST(PictureBox, FillsWholeBoxesAndClicksAfterAPress)
{
    toolkit::PictureBox box;
    box.resize(20, 20);
    box.fillBox({1, 2}, {7, 3}, 12);
    EXPECT_EQ(shown(box, {7, 3}), "#ff0000") << "the far corner of a box is not filled";
    QSignalSpy clicks(&box, &toolkit::PictureBox::clicked);
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks.size(), 0) << "a release without a press clicked";
}

// A device pixel belongs to the area pixel whose enlarged rectangle covers
// it, at factors above and below 1.
TEST(ScaledRect, AreaPixelCoversTheDevicePixel)
{
    for (const qreal factor : {2160.0 / 483, 1080.0 / 483, 1.0, 400.0 / 483}) {
        for (int device = 0; device < 2200; ++device) {
            const QPoint pixel = scaling::areaPixel({device, 2199 - device}, factor);
            ASSERT_TRUE(
                scaling::scaledRect(QRect(pixel, QSize(1, 1)), factor).contains(device, 2199 - device))
                << "device " << device << " at factor " << factor << " went to " << pixel.x() << ","
                << pixel.y();
        }
    }
}

// 1000 twips are 66.7 pixels.
TEST(Twips, TwipsRoundAndFrameFitsTheClient)
{
    QWidget window;
    toolkit::setOuterGeometryTwips(&window, 1500, 1000, 9400, 7600);
    EXPECT_EQ(window.pos(), QPoint(100, 67)) << "the frame misplaced";
    EXPECT_EQ(window.size(), QSize(619, 483)) << "the figure and the word list beside it do not fit";
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window can be resized";
}

TEST(LabelArray, CopiesTheFirstLabelsPlaceAndBoldSongFont)
{
    QWidget window;
    auto *first = new QLabel(&window);
    first->setGeometry(16, 88, 81, 25);
    first->setFont(toolkit::songFont(12, true));
    const QLabel *copy = toolkit::makeLabelArray(first, 2).value(1);
    EXPECT_EQ(copy->geometry(), first->geometry()) << "the copy stands elsewhere";
    EXPECT_TRUE(copy->font().bold()) << "the copy is not bold";
}

// Launchers activate the installed game's board (the user's data folder) by
// the program's id; every other board has a valid name of its own.
TEST(SingleInstance, BusNamePerBoardFolder)
{
    const QTemporaryDir data, portable, other;
    const QString id = QStringLiteral("org.tovasel.tovasel");
    EXPECT_EQ(toolkit::busName(data.path() + "/", data.path()), id) << "the user's data folder";
    const QString name = toolkit::busName(portable.path() + "/", data.path());
    EXPECT_TRUE(name.startsWith(id + ".Board_"))
        << "not the id with an element that begins with a letter: " << name.toStdString();
    const QString link = other.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(portable.path(), link));
    EXPECT_EQ(toolkit::busName(link, data.path()), name) << "a folder and a link to it, two names";
    EXPECT_NE(toolkit::busName(other.path(), data.path()), name) << "two folders, one name";
}

// Without a session bus a lock keeps a second copy off a board while the
// first runs, and only that board.
TEST(SingleInstance, WithoutABusOneCopyPerBoard)
{
    const QTemporaryDir runtime, board, other;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    auto first = std::make_unique<toolkit::SingleInstance>(board.path());
    ASSERT_FALSE(first->handedOver()) << "the first copy stepped aside";
    EXPECT_TRUE(toolkit::SingleInstance(board.path() + "/").handedOver())
        << "a second copy of the board runs";
    EXPECT_FALSE(toolkit::SingleInstance(other.path()).handedOver()) << "another board's copy stepped aside";
    first.reset();
    EXPECT_FALSE(toolkit::SingleInstance(board.path()).handedOver())
        << "the board stays taken after its copy";
}
