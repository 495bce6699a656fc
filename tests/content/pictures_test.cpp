#include "catalogue.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

// The built-in pictures as the game draws them: sizes, pixel format, word
// pictures cut from their figures, mascot pairs and the navy backgrounds.
namespace {

struct Size
{
    int number;
    int width;
    int height;
};

// A word's click rectangle (x1, y1, x2, y2; a click counts strictly inside)
// and the size of its picture, cut from the figure at (x1, y1).
struct Word
{
    int number;
    const char *name;
    int x1, y1, x2, y2;
    int growX = 0, growY = 0; // a few pictures are a little off the rectangle
    int width() const { return x2 - x1 + 1 + growX; }
    int height() const { return y2 - y1 + 1 + growY; }
};

constexpr Word Words[] = {
    {101, "brow", 274, 158, 301, 169},      {102, "chin", 272, 250, 305, 267},
    {103, "eye", 267, 172, 297, 210, 2, 0}, {104, "face", 221, 195, 260, 238},
    {105, "hair", 303, 113, 384, 221},      {106, "hand", 203, 304, 240, 342},
    {107, "head", 245, 121, 377, 257},      {108, "neck", 282, 264, 318, 278},
    {109, "shoulder", 298, 273, 334, 296},  {110, "tooth", 262, 230, 303, 241},
    {201, "arm", 189, 322, 237, 370},       {202, "back", 159, 329, 180, 367, -1, 0},
    {203, "ear", 158, 286, 178, 309},       {204, "finger", 245, 350, 263, 375, 3, 2},
    {205, "foot", 143, 443, 200, 476},      {206, "leg", 153, 423, 180, 446},
    {207, "mouth", 187, 278, 226, 313},     {208, "nose", 226, 269, 239, 281},
    {209, "toe", 187, 463, 203, 476},       {210, "tongue", 193, 295, 212, 313},
};

constexpr Size Figures[] = {{100, 483, 483}, {200, 483, 483}};

// Drawn separately from the figures; each is checked once it is built in.
constexpr Size Smalls[] = {
    {501, 16, 16},   {502, 50, 35},   {503, 50, 35},   {511, 120, 160}, {512, 120, 112}, {513, 120, 135},
    {514, 120, 160}, {521, 120, 160}, {522, 120, 112}, {523, 120, 135}, {524, 120, 160},
};

const QRgb Navy = qRgb(0, 0, 128);

QString pngPath(int number, int ratio)
{
    return ratio == 2 ? QStringLiteral(":/pictures/%1@2x.png").arg(number)
                      : QStringLiteral(":/pictures/%1.png").arg(number);
}

bool present(int number)
{
    return QFile::exists(pngPath(number, 1)) || QFile::exists(pngPath(number, 2));
}

struct PngFormat
{
    int colourType = -1;
    int depth = -1;
    bool colourKey = false; // a tRNS chunk makes one RGB colour see-through
};

// Colour type 2 at depth 8 without tRNS is opaque 24-bit RGB.
PngFormat pngFormat(int number, int ratio)
{
    PngFormat format;
    QFile file(pngPath(number, ratio));
    if (!file.open(QIODevice::ReadOnly))
        return format;
    const QByteArray png = file.readAll();
    if (png.size() < 33 || !png.startsWith("\x89PNG\r\n\x1a\n") || png.mid(12, 4) != "IHDR")
        return format;
    format.depth = static_cast<unsigned char>(png[24]);
    format.colourType = static_cast<unsigned char>(png[25]);
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const auto byte = [&](qsizetype i) { return quint32(static_cast<unsigned char>(png[i])); };
        const quint32 length = byte(at) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
        const QByteArray type = png.mid(at + 4, 4);
        format.colourKey |= type == "tRNS";
        if (type == "IEND")
            break;
        at += 12 + qsizetype(length);
    }
    return format;
}

void expectSizeAndFormat(const Size &size)
{
    for (int ratio : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "picture " << size.number << " at " << ratio << "x");
        const QImage image = content::pictureImage(size.number, ratio);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), size.width * ratio);
        EXPECT_EQ(image.height(), size.height * ratio);
        EXPECT_FALSE(image.hasAlphaChannel());
        const PngFormat format = pngFormat(size.number, ratio);
        EXPECT_EQ(format.colourType, 2) << "not RGB without alpha or palette";
        EXPECT_EQ(format.depth, 8);
        EXPECT_FALSE(format.colourKey) << "a colour is see-through";
    }
}

int redness(QRgb c)
{
    return qRed(c) - (qGreen(c) + qBlue(c)) / 2;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

bool clearlyRed(QRgb c)
{
    return qRed(c) >= 170 && qGreen(c) <= 90 && qBlue(c) <= 90;
}

// How a word picture stands against the figure's pixels under it.
struct Comparison
{
    int changed = 0;       // pixels that differ beyond rounding
    int notTowardsRed = 0; // of those, pixels that did not turn redder
    int farFromMark = 0;   // of those, pixels beyond the mark's glow
    QPoint firstOdd{-1, -1};
    QPoint firstFar{-1, -1};
    int markPixels = 0; // clearly red pixels the figure does not have there
    int markOutsideRect = 0;
};

// How far the glow reaches past the clearly red part, in figure pixels.
constexpr int GlowReach = 10;

// The mark only ever blends the figure towards red, around its red core:
// any pixel that changed must have become redder in proportion to its
// change, and must lie within the glow of the clearly red pixels.
Comparison compare(const QImage &word, const QImage &under, const Word &w, int ratio)
{
    Comparison c;
    const int width = word.width(), height = word.height();
    std::vector<QPoint> changed;
    std::vector<char> nearMark(size_t(width) * height, 0);
    const int reach = GlowReach * ratio;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb got = word.pixel(x, y);
            const QRgb was = under.pixel(x, y);
            const int d = channelDistance(got, was);
            if (d <= 8)
                continue;
            ++c.changed;
            changed.push_back({x, y});
            if (5 * (redness(got) - redness(was)) < d && c.notTowardsRed++ == 0)
                c.firstOdd = {x, y};
            if (!clearlyRed(got) || d < 60)
                continue;
            ++c.markPixels;
            // in the figure's coordinates the pixel spans [fx, fx + 1/ratio)
            const double step = 1.0 / ratio;
            const double fx = w.x1 + x * step, fy = w.y1 + y * step;
            c.markOutsideRect +=
                !(fx >= w.x1 + 1 && fx + step <= w.x2 && fy >= w.y1 + 1 && fy + step <= w.y2);
            for (int v = std::max(0, y - reach); v <= std::min(height - 1, y + reach); ++v)
                for (int u = std::max(0, x - reach); u <= std::min(width - 1, x + reach); ++u)
                    if ((u - x) * (u - x) + (v - y) * (v - y) <= reach * reach)
                        nearMark[size_t(v) * width + u] = 1;
        }
    }
    for (const QPoint p : changed) {
        if (!nearMark[size_t(p.y()) * width + p.x()] && c.farFromMark++ == 0)
            c.firstFar = p;
    }
    return c;
}

TEST(Pictures, WordPicturesAreCutAtTheGamesOwnHotSpots)
{
    // The word pictures were cut at these rectangles; if the game's table
    // moves one, its picture must be cut again.
    for (const Word &w : Words) {
        const int figureNo = w.number / 100, index = w.number % 100 - 1;
        SCOPED_TRACE(w.name);
        EXPECT_EQ(content::text(content::hotSpotText(figureNo, index)),
                  QStringLiteral("%1,%2,%3,%4").arg(w.x1).arg(w.y1).arg(w.x2).arg(w.y2));
        EXPECT_EQ(content::text(content::wordListText(figureNo)).split(QLatin1Char(',')).value(index),
                  QString::fromLatin1(w.name));
        EXPECT_EQ(content::wordPicture(figureNo, index), w.number);
    }
}

TEST(Pictures, FiguresAreOpaqueRgbOfTheirSizeAtBothRatios)
{
    for (const Size &size : Figures)
        expectSizeAndFormat(size);
}

TEST(Pictures, WordPicturesAreOpaqueRgbOfTheirSizeAtBothRatios)
{
    for (const Word &w : Words) {
        SCOPED_TRACE(w.name);
        expectSizeAndFormat({w.number, w.width(), w.height()});
    }
}

TEST(Pictures, SmallPicturesThatAreBuiltInHaveTheirSizeAndFormat)
{
    for (const Size &size : Smalls) {
        if (present(size.number))
            expectSizeAndFormat(size);
    }
}

TEST(Pictures, WordPicturesAreTheFigureUnderTheirRectangleWithARedMark)
{
    for (const Word &w : Words) {
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << w.number << " " << w.name << " at " << ratio << "x");
            const QImage figure =
                content::pictureImage(w.number / 100 * 100, ratio).convertToFormat(QImage::Format_RGB32);
            const QImage word = content::pictureImage(w.number, ratio).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(figure.isNull());
            ASSERT_FALSE(word.isNull());
            ASSERT_EQ(word.size(), QSize(w.width() * ratio, w.height() * ratio));
            const QRect area(w.x1 * ratio, w.y1 * ratio, w.width() * ratio, w.height() * ratio);
            ASSERT_TRUE(figure.rect().contains(area));
            const Comparison c = compare(word, figure.copy(area), w, ratio);

            EXPECT_EQ(c.notTowardsRed, 0)
                << "pixels differ from the figure other than by the red mark, first at (" << c.firstOdd.x()
                << ", " << c.firstOdd.y() << ") of " << c.changed << " changed";
            // a dot of a few pixels' radius at least, or the ring round the head
            EXPECT_EQ(c.farFromMark, 0) << "pixels differ from the figure away from the mark, first at ("
                                        << c.firstFar.x() << ", " << c.firstFar.y() << ")";
            EXPECT_GE(c.markPixels, 12 * ratio * ratio) << "no clear red mark";
            EXPECT_EQ(c.markOutsideRect, 0) << "the mark reaches the rectangle's edge or beyond";
            // the mark is a mark, not a red wash: the corners stay the figure's
            const QImage under = figure.copy(area);
            const int r = word.width() - 1, b = word.height() - 1;
            for (const QPoint p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
                EXPECT_LE(channelDistance(word.pixel(p), under.pixel(p)), 8)
                    << "corner " << p.x() << "," << p.y();
        }
    }
}

TEST(Pictures, WordPicturesAtTwiceTheSizeShowTheSameAsAtOnce)
{
    // The 2x picture halved must look like the 1x one: catches a 2x cut
    // taken from the wrong place even where both carry a good mark.
    for (const Word &w : Words) {
        SCOPED_TRACE(w.name);
        const QImage one = content::pictureImage(w.number, 1).convertToFormat(QImage::Format_RGB32);
        const QImage two = content::pictureImage(w.number, 2).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(one.isNull());
        ASSERT_FALSE(two.isNull());
        ASSERT_EQ(two.size(), one.size() * 2);
        long long total = 0;
        for (int y = 0; y < one.height(); ++y) {
            for (int x = 0; x < one.width(); ++x) {
                int r = 0, g = 0, b = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx) {
                        const QRgb p = two.pixel(2 * x + dx, 2 * y + dy);
                        r += qRed(p), g += qGreen(p), b += qBlue(p);
                    }
                const QRgb q = one.pixel(x, y);
                total += std::abs(r / 4 - qRed(q)) + std::abs(g / 4 - qGreen(q)) + std::abs(b / 4 - qBlue(q));
            }
        }
        const double perChannel = double(total) / (3.0 * one.width() * one.height());
        EXPECT_LT(perChannel, 12.0);
    }
}

TEST(Pictures, MascotPairsDifferOnlyInACompactMouthRegion)
{
    // idle 511..514 and speaking 521..524, the same mascot but for the mouth
    for (int idle = 511; idle <= 514; ++idle) {
        const int speaking = idle + 10;
        if (!present(idle) && !present(speaking))
            continue;
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << idle << " and " << speaking << " at " << ratio << "x");
            const QImage a = content::pictureImage(idle, ratio).convertToFormat(QImage::Format_RGB32);
            const QImage b = content::pictureImage(speaking, ratio).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(a.isNull());
            ASSERT_FALSE(b.isNull());
            ASSERT_EQ(a.size(), b.size());
            QRect differs;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    if (a.pixel(x, y) != b.pixel(x, y))
                        differs |= QRect(x, y, 1, 1);
            ASSERT_FALSE(differs.isEmpty()) << "the speaking mascot is the idle one";
            EXPECT_LE(differs.width(), a.width() / 2);
            EXPECT_LE(differs.height(), a.height() * 2 / 5);
            EXPECT_LE(differs.width() * differs.height(), a.width() * a.height() / 8);
        }
    }
}

TEST(Pictures, ButtonsLifeIconAndMascotsStandOnNavy)
{
    for (const Size &size : Smalls) {
        if (!present(size.number))
            continue;
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(testing::Message() << size.number << " at " << ratio << "x");
            const QImage image =
                content::pictureImage(size.number, ratio).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(image.isNull());
            const int r = image.width() - 1, b = image.height() - 1;
            for (const QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)}) {
                EXPECT_EQ(QColor(image.pixel(corner)), QColor(Navy))
                    << "corner " << corner.x() << "," << corner.y();
            }
        }
    }
}

} // namespace
