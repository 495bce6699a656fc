// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(Numbering, FollowsFigureLevelAndWordPosition)
{
    using namespace content;
    // "finger", the fourth word of figure 2, then the ends of the lists and the mascots
    const std::pair<int, int> numbers[] = {
        {wordPicture(2, 3), 204}, {wordSound(2, 3), 204},      {wordPicture(1, 9), 110},
        {figurePicture(2), 200},  {wordListText(1), 301},      {idleMascot(1, 2), 512},
        {idleMascot(2, 1), 513},  {speakingMascot(2, 1), 523}, {speakingMascot(2, 2), 524}};
    for (const auto &[got, expected] : numbers)
        EXPECT_EQ(got, expected);
}

TEST(Texts, WordListsAndHotSpotsAreReadWhole)
{
    EXPECT_EQ(content::text(301), "brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth");
    EXPECT_EQ(content::text(302), "arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue");
    // Every word has its part on its figure, the brow where the boy's brow is.
    EXPECT_EQ(content::hotSpot(1, 0), QRect(QPoint(274, 158), QPoint(301, 169)))
        << "the brow's edges misread";
    for (int figure : {1, 2}) {
        for (int word = 0; word < 10; ++word)
            EXPECT_TRUE(QRect(0, 0, 483, 483).contains(content::hotSpot(figure, word)))
                << "word " << word << " of figure " << figure << " has no place on its figure";
    }
    EXPECT_TRUE(content::hotSpot(1, 10).isNull()) << "a word past the list has a hot-spot";
}

// Opaque and of their sizes at 1x and 2x; the small ones stand on navy.
TEST(Pictures, SizesOpacityAndNavyCorners)
{
    const int sizes[][3] = {{100, 483, 483}, {200, 483, 483}, {501, 16, 16},   {502, 50, 35},
                            {503, 50, 35},   {511, 120, 160}, {512, 120, 112}, {513, 120, 135},
                            {514, 120, 160}, {521, 120, 160}, {522, 120, 112}, {523, 120, 135},
                            {524, 120, 160}};
    for (const auto &[number, width, height] : sizes) {
        for (int r : {1, 2}) {
            const QImage image = content::pictureImage(number, r);
            EXPECT_EQ(image.size(), QSize(width, height) * r) << number;
            EXPECT_FALSE(image.hasAlphaChannel()) << number;
            EXPECT_TRUE(number < 500 || image.pixel(image.rect().bottomRight()) == qRgb(0, 0, 128)) << number;
        }
    }
}

// A word picture is its figure cut at the hot-spot's top-left, about the
// hot-spot's size, with a clear red mark strictly inside the hot-spot.
TEST(Pictures, WordPicturesAreTheirFiguresMarkedInsideTheHotSpot)
{
    for (int number = 101; number <= 210; number += number % 100 == 10 ? 91 : 1) {
        SCOPED_TRACE(number);
        const QRect spot = content::hotSpot(number / 100, number % 100 - 1);
        const QImage word = content::pictureImage(number);
        const QImage under =
            content::pictureImage(number / 100 * 100).copy(QRect(spot.topLeft(), word.size()));
        EXPECT_TRUE(std::abs(word.width() - spot.width()) <= 3 &&
                    std::abs(word.height() - spot.height()) <= 3);
        EXPECT_EQ(content::pictureImage(number, 2).size(), word.size() * 2);
        QRect mark;
        int corners = 0;
        for (int y = 0; y < word.height(); ++y) {
            for (int x = 0; x < word.width(); ++x) {
                const QRgb got = word.pixel(x, y), was = under.pixel(x, y);
                const int d = std::max({std::abs(qRed(got) - qRed(was)), std::abs(qGreen(got) - qGreen(was)),
                                        std::abs(qBlue(got) - qBlue(was))});
                corners += d > 8 && x % (word.width() - 1) == 0 && y % (word.height() - 1) == 0;
                if (d >= 60 && qRed(got) >= 170 && qGreen(got) <= 90 && qBlue(got) <= 90)
                    mark |= QRect(x, y, 1, 1);
            }
        }
        EXPECT_EQ(corners, 0) << "not cut at the hot-spot";
        EXPECT_GE(mark.width() * mark.height(), 12);
        EXPECT_TRUE(QRect(1, 1, spot.width() - 2, spot.height() - 2).contains(mark));
    }
}
