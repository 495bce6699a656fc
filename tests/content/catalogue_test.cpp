// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <gtest/gtest.h>

using namespace content;

TEST(Catalogue, NumbersFollowFigureLevelAndWord)
{
    // "finger", the fourth word of figure 2, then the ends of the lists and the mascots
    const std::pair<int, int> numbers[] = {
        {wordPicture(2, 3), 204}, {wordSound(2, 3), 204},      {wordPicture(1, 9), 110},
        {figurePicture(2), 200},  {wordListText(1), 301},      {idleMascot(1, 2), 512},
        {idleMascot(2, 1), 513},  {speakingMascot(2, 1), 523}, {speakingMascot(2, 2), 524}};
    for (const auto &[got, expected] : numbers)
        EXPECT_EQ(got, expected) << "a content number";
}

TEST(Catalogue, WordListsAndHotSpotsAreReadWhole)
{
    EXPECT_EQ(text(301), "brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth") << "figure 1's words";
    EXPECT_EQ(text(302), "arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue") << "figure 2's words";
    EXPECT_EQ(hotSpot(1, 0), QRect(QPoint(274, 158), QPoint(301, 169))) << "the brow's edges misread";
    EXPECT_TRUE(hotSpot(1, 10).isNull()) << "a word past the list has a hot-spot";
}

// Opaque and of their sizes at 1x and 2x; the small ones stand on navy.
TEST(Catalogue, PicturesHaveTheirSizesAndNavyCorners)
{
    const int sizes[][3] = {{100, 483, 483}, {200, 483, 483}, {501, 16, 16},   {502, 50, 35},
                            {503, 50, 35},   {511, 120, 160}, {512, 120, 112}, {513, 120, 135},
                            {514, 120, 160}, {521, 120, 160}, {522, 120, 112}, {523, 120, 135},
                            {524, 120, 160}};
    for (const auto &[number, width, height] : sizes) {
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "picture " << number << " at " << ratio << "x");
            const QImage image = pictureImage(number, ratio);
            EXPECT_EQ(image.size(), QSize(width, height) * ratio) << "its size";
            EXPECT_FALSE(image.hasAlphaChannel()) << "it is not opaque";
            EXPECT_TRUE(number < 500 || image.pixel(image.rect().bottomRight()) == qRgb(0, 0, 128))
                << "it does not stand on navy";
        }
    }
}

// A word picture is its figure cut at the hot-spot's top-left, with a clear
// red mark strictly inside the hot-spot.
TEST(Catalogue, WordPicturesMarkTheirHotSpot)
{
    // How far apart two colours are, in the channel that differs most.
    const auto distance = [](QRgb a, QRgb b) {
        return std::max(
            {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
    };
    for (int word = 0; word < 20; ++word) {
        const int figure = 1 + word / 10, number = wordPicture(figure, word % 10);
        SCOPED_TRACE(testing::Message() << "picture " << number);
        const QRect spot = hotSpot(figure, word % 10);
        const QImage marked = pictureImage(number);
        const QImage under = pictureImage(figurePicture(figure)).copy(QRect(spot.topLeft(), marked.size()));
        EXPECT_EQ(pictureImage(number, 2).size(), marked.size() * 2) << "its size at 2x";
        EXPECT_LE(distance(marked.pixel(0, 0), under.pixel(0, 0)), 8) << "it is cut elsewhere";
        QRect mark;
        for (int y = 0; y < marked.height(); ++y) {
            for (int x = 0; x < marked.width(); ++x) {
                const QRgb got = marked.pixel(x, y);
                if (distance(got, under.pixel(x, y)) >= 60 && distance(got, qRgb(255, 0, 0)) <= 90)
                    mark |= QRect(x, y, 1, 1);
            }
        }
        EXPECT_GE(mark.width() * mark.height(), 12) << "it has no clear mark";
        EXPECT_TRUE(QRect(1, 1, spot.width() - 2, spot.height() - 2).contains(mark))
            << "marked outside its hot-spot";
    }
}
