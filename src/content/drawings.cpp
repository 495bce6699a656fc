// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawings.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtConcurrent/QtConcurrentMap>
#include <QThreadPool>

#include <algorithm>
#include <sys/mman.h>
#include <utility>

namespace content {
namespace {

// Below this many pixels a drawing is quicker drawn in one piece.
constexpr int BandPixels = 256 * 256;
constexpr size_t HugePageBytes = 2 * 1024 * 1024;

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

} // namespace

// Full screen waits for the figure, so a large one is drawn in bands, one per
// helper, each into its own rows of the image. Only a free helper is asked,
// never one to come: a drawing running on the pool must not wait for the
// pool's queue, which may hold nothing but other drawings waiting alike.
QImage renderDrawing(int number, QSize size, QRect clip, QThreadPool *helpers)
{
    QImage image = newImage(clip.size());
    if (image.isNull())
        return image;
    const QString path = QStringLiteral(":/drawings/%1.svg").arg(number);
    const int bands =
        !helpers || image.width() * image.height() < BandPixels ? 1 : std::max(1, helpers->maxThreadCount());
    uchar *const bits = image.bits();
    const auto drawBand = [&](int band) {
        const int top = image.height() * band / bands;
        const int bottom = image.height() * (band + 1) / bands;
        QImage rows(bits + qsizetype(top) * image.bytesPerLine(), image.width(), bottom - top,
                    image.bytesPerLine(), image.format());
        rows.fill(Qt::white);
        QSvgRenderer drawing(path);
        QPainter painter(&rows);
        painter.translate(-clip.left(), -clip.top() - top);
        drawing.render(&painter, QRectF(QPointF(0, 0), size));
    };
    QSemaphore helped;
    int helping = 0;
    for (int band = 1; band < bands; ++band) {
        if (helpers->tryStart([&, band] {
                drawBand(band);
                helped.release();
            }))
            ++helping;
        else
            drawBand(band);
    }
    drawBand(0);
    helped.acquire(helping);
    return image;
}

} // namespace content
