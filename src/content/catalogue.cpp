// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include "drawings.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>

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
