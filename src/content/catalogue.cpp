// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "content_log.h"

#include "drawings.h"
#include "scaled_rect.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>
#include <QPainter>

namespace content {
namespace {

// The word lists live in code: they are short, and they are plain ASCII.
const QHash<int, QString> &texts()
{
    static const QHash<int, QString> table = {
        {301, QStringLiteral("brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth")},
        {302, QStringLiteral("arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue")},
    };
    return table;
}

// The hot-spot table, by word number, read once from its file.
const QHash<int, QRect> &hotSpots()
{
    static const QHash<int, QRect> table = [] {
        QHash<int, QRect> spots;
        QFile file(QStringLiteral(":/hot_spots.csv"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return spots;
        while (!file.atEnd()) {
            const QStringList fields = QString::fromLatin1(file.readLine().trimmed()).split(QLatin1Char(','));
            bool number = false;
            const int word = fields.value(0).toInt(&number);
            if (!number || fields.size() != 6)
                continue; // comments and the heading
            spots.insert(word, QRect(QPoint(fields[2].toInt(), fields[3].toInt()),
                                     QPoint(fields[4].toInt(), fields[5].toInt())));
        }
        return spots;
    }();
    return table;
}

QString picturePath(int number, bool doubleSize)
{
    return QStringLiteral(":/pictures/%1%2.png")
        .arg(number, 3, 10, QLatin1Char('0'))
        .arg(doubleSize ? QStringLiteral("@2x") : QString());
}

} // namespace

QImage drawnPicture(int number, QRect place, qreal factor)
{
    const QRect device = scaling::scaledRect(place, factor);
    const int figure = 100 * (number / 100);
    if (number >= 300 || number == figure)
        return renderDrawing(number, device.size(), QRect(QPoint(0, 0), device.size()));

    // A word picture is its figure's pixels from the word's hot-spot on, with
    // a mark: cut it from the figure rendered as the figure itself is, so the
    // two agree pixel for pixel, then lay the mark over it.
    const QRect figurePlace(place.topLeft() - hotSpot(figure / 100, number - figure - 1).topLeft(),
                            QImageReader(picturePath(figure, false)).size());
    const QRect figureDevice = scaling::scaledRect(figurePlace, factor);
    QImage image = renderDrawing(figure, figureDevice.size(), device.translated(-figureDevice.topLeft()));
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage mark(QStringLiteral(":/marks/%1.png").arg(number));
    if (mark.isNull())
        qCWarning(lcArt) << "mark" << number << "cannot be read";
    painter.drawImage(
        QRectF(QPointF(place.topLeft()) * factor - QPointF(device.topLeft()), QSizeF(place.size()) * factor),
        mark);
    return image;
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
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage image = pictureImage(number, ratio);
    if (image.isNull() && ratio > 1.0)
        image = pictureImage(number, 1.0);
    const QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull())
        qCWarning(lcArt) << "picture" << number << "cannot be read";
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

QRect hotSpot(int figureNo, int wordIndex)
{
    return hotSpots().value(wordPicture(figureNo, wordIndex));
}

} // namespace content
