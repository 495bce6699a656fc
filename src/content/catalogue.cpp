// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QtConcurrent/QtConcurrentMap>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <numeric>
#include <sys/mman.h>
#include <utility>
#include <vector>

namespace content {
namespace {

// Texts live in code: they are short, and they are plain ASCII.
const QHash<int, QString> &texts()
{
    static const QHash<int, QString> table = {
        {301, QStringLiteral("brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth")},
        {302, QStringLiteral("arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue")},
        {401, QStringLiteral("274,158,301,169")},
        {402, QStringLiteral("272,250,305,267")},
        {403, QStringLiteral("267,172,297,210")},
        {404, QStringLiteral("221,195,260,238")},
        {405, QStringLiteral("303,113,384,221")},
        {406, QStringLiteral("203,304,240,342")},
        {407, QStringLiteral("245,121,377,257")},
        {408, QStringLiteral("282,264,318,278")},
        {409, QStringLiteral("298,273,334,296")},
        {410, QStringLiteral("262,230,303,241")},
        {411, QStringLiteral("189,322,237,370")},
        {412, QStringLiteral("159,329,180,367")},
        {413, QStringLiteral("158,286,178,309")},
        {414, QStringLiteral("245,350,263,375")},
        {415, QStringLiteral("143,443,200,476")},
        {416, QStringLiteral("153,423,180,446")},
        {417, QStringLiteral("187,278,226,313")},
        {418, QStringLiteral("226,269,239,281")},
        {419, QStringLiteral("187,463,203,476")},
        {420, QStringLiteral("193,295,212,313")},
    };
    return table;
}

// Below this many pixels a drawing is quicker drawn in one piece.
constexpr int BandPixels = 256 * 256;
constexpr size_t HugePageBytes = 2 * 1024 * 1024;

QString picturePath(int number, bool doubleSize)
{
    return QStringLiteral(":/pictures/%1%2.png")
        .arg(number, 3, 10, QLatin1Char('0'))
        .arg(doubleSize ? QStringLiteral("@2x") : QString());
}

// The pictures handed out and still shown somewhere, by number: full screen
// asks which picture a shown pixmap is. One that nobody holds any more is let
// go at the next look-up, so the window keeps no more than it shows.
QHash<int, QPixmap> &shownPictures()
{
    static QHash<int, QPixmap> shown;
    return shown;
}

int numberOf(const QPixmap &shown)
{
    const QHash<int, QPixmap> &pictures = shownPictures();
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        if (it.value().cacheKey() == shown.cacheKey())
            return it.key();
    }
    return 0;
}

// The threads that draw the bands of a large drawing: a pool of their own,
// since whoever waits for the drawing may hold a thread of another pool.
QThreadPool &bandPool()
{
    static QThreadPool pool;
    return pool;
}

// A new opaque image. A large one asks for huge pages where the kernel gives
// them: every page of a new image costs a fault when first drawn on, and a
// full-screen figure has thousands of small ones.
QImage newImage(QSize size)
{
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(std::max(size.height(), 0));
    if (size.width() <= 0 || bytes < HugePageBytes)
        return QImage(size, QImage::Format_RGB32);
    void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return QImage(size, QImage::Format_RGB32);
    madvise(memory, bytes, MADV_HUGEPAGE);
    auto *mapping = new std::pair<void *, size_t>(memory, bytes);
    return QImage(
        static_cast<uchar *>(memory), size.width(), size.height(), bytesPerLine, QImage::Format_RGB32,
        [](void *info) {
            const auto *mapping = static_cast<std::pair<void *, size_t> *>(info);
            munmap(mapping->first, mapping->second);
            delete mapping;
        },
        mapping);
}

// A vector drawing rendered at size (device pixels), only the part in clip.
// Full screen waits for the figure, so a large one is drawn in bands, one per
// core, each into its own rows of the image.
QImage renderDrawing(int number, QSize size, QRect clip)
{
    QImage image = newImage(clip.size());
    if (image.isNull())
        return image;
    const QString path = QStringLiteral(":/drawings/%1.svg").arg(number);
    const int bands =
        image.width() * image.height() < BandPixels ? 1 : std::max(1, QThread::idealThreadCount());
    uchar *const bits = image.bits();
    std::vector<int> numbers(bands);
    std::iota(numbers.begin(), numbers.end(), 0);
    QtConcurrent::blockingMap(&bandPool(), numbers, [&](const int &band) {
        const int top = image.height() * band / bands;
        const int bottom = image.height() * (band + 1) / bands;
        QImage rows(bits + qsizetype(top) * image.bytesPerLine(), image.width(), bottom - top,
                    image.bytesPerLine(), image.format());
        rows.fill(Qt::white);
        QSvgRenderer drawing(path);
        QPainter painter(&rows);
        painter.translate(-clip.left(), -clip.top() - top);
        drawing.render(&painter, QRectF(QPointF(0, 0), size));
    });
    return image;
}

QRect deviceRect(QRect place, qreal factor)
{
    return QRect(QPoint(qRound(place.left() * factor), qRound(place.top() * factor)),
                 QPoint(qRound((place.right() + 1) * factor) - 1, qRound((place.bottom() + 1) * factor) - 1));
}

} // namespace

std::function<QImage()> largerPicture(const QPixmap &shown, QPoint topLeft, qreal factor)
{
    const int number = numberOf(shown);
    if (number == 0 || shown.isNull())
        return {};
    const QRect place(topLeft, shown.deviceIndependentSize().toSize());
    const QRect device = deviceRect(place, factor);
    const int figure = 100 * (number / 100);
    const bool wordPicture = number < 300 && number != figure;
    if (!wordPicture)
        return [=] { return renderDrawing(number, device.size(), QRect(QPoint(0, 0), device.size())); };

    // A word picture is its figure's pixels from the word's hot-spot on, with
    // a mark: cut it from the figure rendered as the figure itself is, so the
    // two agree pixel for pixel, then lay the mark over it.
    const QStringList spot = text(hotSpotText(figure / 100, number - figure - 1)).split(QLatin1Char(','));
    const QRect figurePlace(topLeft - QPoint(spot.value(0).toInt(), spot.value(1).toInt()),
                            picture(figure).deviceIndependentSize().toSize());
    const QRect figureDevice = deviceRect(figurePlace, factor);
    return [=] {
        QImage image = renderDrawing(figure, figureDevice.size(), device.translated(-figureDevice.topLeft()));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(
            QRectF(QPointF(topLeft) * factor - QPointF(device.topLeft()), QSizeF(place.size()) * factor),
            QImage(QStringLiteral(":/marks/%1.png").arg(number)));
        return image;
    };
}

QImage pictureImage(int number, qreal devicePixelRatio)
{
    const bool doubleSize = devicePixelRatio > 1.0;
    QImage image(picturePath(number, doubleSize));
    if (!image.isNull() && doubleSize)
        image.setDevicePixelRatio(2.0);
    return image;
}

QPixmap picture(int number)
{
    QHash<int, QPixmap> &shown = shownPictures();
    shown.removeIf([](const QHash<int, QPixmap>::iterator it) { return it.value().isDetached(); });
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const auto kept = shown.constFind(number);
    if (kept != shown.cend() && qFuzzyCompare(kept->devicePixelRatio(), ratio > 1.0 ? 2.0 : 1.0))
        return *kept;
    QImage image = pictureImage(number, ratio);
    if (image.isNull() && ratio > 1.0)
        image = pictureImage(number, 1.0);
    const QPixmap pixmap = QPixmap::fromImage(image);
    if (!pixmap.isNull())
        shown.insert(number, pixmap);
    return pixmap;
}

QByteArray sound(int number)
{
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(number, 3, 10, QLatin1Char('0')));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString text(int number)
{
    return texts().value(number);
}

} // namespace content
