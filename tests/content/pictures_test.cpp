// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QRect>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

// The built-in pictures as the game draws them: sizes, pixel format, word
// pictures cut from their figures, mascot pairs and the navy backgrounds.
namespace {

// Icon, buttons and mascots: number, width, height.
constexpr int Smalls[][3] = {{501, 16, 16},   {502, 50, 35},   {503, 50, 35},   {511, 120, 160},
                             {512, 120, 112}, {513, 120, 135}, {514, 120, 160}, {521, 120, 160},
                             {522, 120, 112}, {523, 120, 135}, {524, 120, 160}};

QImage rgb(int number, int ratio)
{
    return content::pictureImage(number, ratio).convertToFormat(QImage::Format_RGB32);
}

int distance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Opaque 8-bit RGB PNGs (colour type 2, no tRNS) of the size at 1x and
// twice it at 2x, the 2x one halved looking like the 1x one.
void expectPicture(int number, QSize size)
{
    SCOPED_TRACE(number);
    for (int ratio : {1, 2}) {
        QFile file(QStringLiteral(":/pictures/%1%2.png").arg(number).arg(ratio == 2 ? "@2x" : ""));
        const QByteArray png = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        EXPECT_EQ(png.mid(24, 2), QByteArray("\x08\x02", 2)) << "not 8-bit RGB without alpha or palette";
        EXPECT_FALSE(png.contains("tRNS")) << "a colour is see-through";
        EXPECT_EQ(content::pictureImage(number, ratio).size(), size * ratio);
    }
    const QImage one = rgb(number, 1);
    const QImage half = rgb(number, 2).scaledToWidth(one.width(), Qt::SmoothTransformation);
    long long total = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            total += distance(one.pixel(x, y), half.pixel(x, y));
    EXPECT_LT(double(total) / std::max(1, one.width() * one.height()), 12.0) << "2x shows something else";
}

// The word picture is the figure under it but for a red mark: every changed
// pixel turned redder and lies within the glow of a clearly red pixel, and
// those lie strictly inside the hot-spot. The corners stay the figure's.
testing::AssertionResult isMarkedCopy(const QImage &word, const QImage &under, QRect inside, int ratio)
{
    const auto redness = [](QRgb c) { return qRed(c) - (qGreen(c) + qBlue(c)) / 2; };
    const int r = word.width() - 1, b = word.height() - 1;
    std::vector<QPoint> marks, changed;
    for (int y = 0; y < word.height(); ++y) {
        for (int x = 0; x < word.width(); ++x) {
            const QRgb got = word.pixel(x, y), was = under.pixel(x, y);
            const int d = distance(got, was);
            if (d <= 8)
                continue;
            changed.push_back({x, y});
            if (x % r == 0 && y % b == 0)
                return testing::AssertionFailure() << "corner (" << x << ", " << y << ") changed";
            if (5 * (redness(got) - redness(was)) < d)
                return testing::AssertionFailure() << "(" << x << ", " << y << ") changed, not towards red";
            if (qRed(got) < 170 || qGreen(got) > 90 || qBlue(got) > 90 || d < 60)
                continue;
            marks.push_back({x, y});
            if (!inside.contains(x, y))
                return testing::AssertionFailure() << "(" << x << ", " << y << ") marked off the hot-spot";
        }
    }
    if (int(marks.size()) < 12 * ratio * ratio)
        return testing::AssertionFailure() << "no clear red mark";
    const int reach = 10 * ratio; // the glow round the clearly red part
    for (const QPoint p : changed)
        if (std::none_of(marks.begin(), marks.end(),
                         [&](QPoint m) { return QPoint::dotProduct(m - p, m - p) <= reach * reach; }))
            return testing::AssertionFailure() << "(" << p.x() << ", " << p.y() << ") changed off the mark";
    return testing::AssertionSuccess();
}

} // namespace

TEST(Pictures, FiguresAndWordPicturesCutAtTheGamesHotSpots)
{
    expectPicture(100, {483, 483});
    expectPicture(200, {483, 483});
    for (int number : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                       201, 202, 203, 204, 205, 206, 207, 208, 209, 210}) {
        SCOPED_TRACE(number);
        // The hot-spot x1,y1,x2,y2 (a click counts strictly inside); its word
        // picture is cut from the figure at x1,y1, three a little off its size.
        const QStringList f = content::text(content::hotSpotText(number / 100, number % 100 - 1)).split(',');
        const QRect spot(QPoint(f.value(0).toInt(), f.value(1).toInt()),
                         QPoint(f.value(2).toInt(), f.value(3).toInt()));
        const QPoint off = QMap<int, QPoint>{{103, {2, 0}}, {202, {-1, 0}}, {204, {3, 2}}}.value(number);
        expectPicture(number, spot.adjusted(0, 0, off.x(), off.y()).size());
        for (int ratio : {1, 2}) {
            const QImage figure = rgb(number / 100 * 100, ratio), word = rgb(number, ratio);
            const QRect area(spot.topLeft() * ratio, word.size());
            ASSERT_TRUE(figure.rect().contains(area));
            const QRect inside(ratio, ratio, (spot.width() - 2) * ratio, (spot.height() - 2) * ratio);
            EXPECT_TRUE(isMarkedCopy(word, figure.copy(area), inside, ratio)) << "at " << ratio << "x";
        }
    }
}

TEST(Pictures, SmallPicturesStandOnNavyAndMascotPairsDifferOnlyByTheMouth)
{
    for (const auto &[number, width, height] : Smalls) {
        expectPicture(number, {width, height});
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << number << " at " << ratio << "x");
            const QImage image = rgb(number, ratio);
            const int r = image.width() - 1, b = image.height() - 1;
            for (const QPoint c : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
                EXPECT_EQ(image.pixel(c), qRgb(0, 0, 128)) << "corner " << c.x() << "," << c.y();
            if (number < 511 || number > 514)
                continue;
            // idle 511..514 and speaking 521..524, the same mascot but for a compact mouth
            const QImage speaking = rgb(number + 10, ratio);
            QRect differs;
            for (int y = 0; y <= b; ++y)
                for (int x = 0; x <= r; ++x)
                    if (image.pixel(x, y) != speaking.pixel(x, y))
                        differs |= QRect(x, y, 1, 1);
            ASSERT_FALSE(differs.isEmpty()) << "the speaking mascot is the idle one";
            EXPECT_LE(differs.width(), image.width() / 2);
            EXPECT_LE(differs.height(), image.height() * 2 / 5);
            EXPECT_LE(differs.width() * differs.height(), image.width() * image.height() / 8);
        }
    }
}
