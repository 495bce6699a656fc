// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "twips.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(Twips, ConvertAtFifteenToThePixelRoundingToNearest)
{
    EXPECT_EQ(toolkit::twipsToPixels(7440), 496);
    EXPECT_EQ(toolkit::twipsToPixels(1000), 67);  // 66.7
    EXPECT_EQ(toolkit::twipsToPixels(9400), 627); // 626.7
    EXPECT_EQ(toolkit::twipsToPixels(7), 0);
    EXPECT_EQ(toolkit::twipsToPixels(8), 1);
    EXPECT_EQ(toolkit::twipsToPixels(-1500), -100);
    EXPECT_EQ(toolkit::pixelsToTwips(toolkit::twipsToPixels(5220)), 5220);
}

TEST(Twips, MainWindowsOuterSizeLeavesRoomForTheWholeFigure)
{
    const QSize client = toolkit::clientSizeForOuterTwips(9400, 7600);
    EXPECT_GE(client.width(), 483 + 9);
    EXPECT_GE(client.height(), 483);
    EXPECT_LE(client.height(), 490);
}

TEST(Twips, OuterGeometryPlacesTheFrameAndFixesTheClientSize)
{
    QWidget window;
    toolkit::setOuterGeometryTwips(&window, 1500, 1000, 9400, 7600);
    EXPECT_EQ(window.pos(), QPoint(100, 67));
    EXPECT_EQ(window.size(), toolkit::clientSizeForOuterTwips(9400, 7600));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}
