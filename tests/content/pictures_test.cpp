// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QImage>
#include <QMap>

#include <gtest/gtest.h>

// Each picture at 1x and 2x: opaque and of its size; the small ones stand on
// navy, and a speaking mascot is its idle one but for a compact mouth.
TEST(Pictures, SizesOpacityNavyCornersAndMascotMouths)
{
    const int sizes[][3] = {{100, 483, 483}, {200, 483, 483}, {501, 16, 16},   {502, 50, 35},
                            {503, 50, 35},   {511, 120, 160}, {512, 120, 112}, {513, 120, 135},
                            {514, 120, 160}, {521, 120, 160}, {522, 120, 112}, {523, 120, 135},
                            {524, 120, 160}};
    for (const auto &[number, width, height] : sizes) {
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << number << " at " << ratio << "x");
            const QImage image = content::pictureImage(number, ratio);
            EXPECT_EQ(image.size(), QSize(width, height) * ratio);
            EXPECT_FALSE(image.hasAlphaChannel());
            const QRect all = image.rect();
            for (const QPoint c : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
                EXPECT_TRUE(number < 500 || image.pixel(c) == qRgb(0, 0, 128));
            if (number < 511 || number > 514)
                continue;
            const QImage speaking = content::pictureImage(number + 10, ratio);
            QRect differs;
            for (int y = 0; y < all.height(); ++y)
                for (int x = 0; x < all.width(); ++x)
                    if (image.pixel(x, y) != speaking.pixel(x, y))
                        differs |= QRect(x, y, 1, 1);
            EXPECT_FALSE(differs.isEmpty());
            EXPECT_LE(differs.width() * differs.height() * 8, image.width() * image.height());
        }
    }
}

// A word picture is its figure cut at the hot-spot's top-left (three a little
// off the hot-spot's size) with a clear red mark strictly inside the hot-spot.
TEST(Pictures, WordPicturesAreTheirFiguresMarkedAtTheHotSpot)
{
    for (int number : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                       201, 202, 203, 204, 205, 206, 207, 208, 209, 210}) {
        const QStringList f = content::text(content::hotSpotText(number / 100, number % 100 - 1)).split(',');
        const QRect spot(QPoint(f.value(0).toInt(), f.value(1).toInt()),
                         QPoint(f.value(2).toInt(), f.value(3).toInt()));
        const QPoint off = QMap<int, QPoint>{{103, {2, 0}}, {202, {-1, 0}}, {204, {3, 2}}}.value(number);
        for (int r : {1, 2}) {
            SCOPED_TRACE(testing::Message() << number << " at " << r << "x");
            const QImage word = content::pictureImage(number, r).convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(word.size(), spot.adjusted(0, 0, off.x(), off.y()).size() * r);
            const QImage under = content::pictureImage(number / 100 * 100, r)
                                     .convertToFormat(QImage::Format_RGB32)
                                     .copy(QRect(spot.topLeft() * r, word.size()));
            QRect mark;
            int marked = 0, corners = 0;
            for (int y = 0; y < word.height(); ++y) {
                for (int x = 0; x < word.width(); ++x) {
                    const QRgb got = word.pixel(x, y), was = under.pixel(x, y);
                    const int d =
                        std::max({std::abs(qRed(got) - qRed(was)), std::abs(qGreen(got) - qGreen(was)),
                                  std::abs(qBlue(got) - qBlue(was))});
                    corners += d > 8 && x % (word.width() - 1) == 0 && y % (word.height() - 1) == 0;
                    if (d >= 60 && qRed(got) >= 170 && qGreen(got) <= 90 && qBlue(got) <= 90)
                        mark |= QRect(x, y, 1, 1), ++marked;
                }
            }
            EXPECT_EQ(corners, 0) << "not cut at the hot-spot";
            EXPECT_GE(marked, 12 * r * r);
            EXPECT_TRUE(QRect(r, r, (spot.width() - 2) * r, (spot.height() - 2) * r).contains(mark));
        }
    }
}
