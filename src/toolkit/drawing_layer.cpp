// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_layer.h"

#include <QPainter>

namespace toolkit {

void DrawingLayer::cover(QSize size, qreal devicePixelRatio)
{
    const bool zoomed = factor_ != 1.0;
    const QSize needed =
        zoomed ? scaling::scaledRect(QRect(origin_, size), factor_).size() : size * devicePixelRatio;
    const qreal ratio = zoomed ? 1.0 : devicePixelRatio;
    if (!image_.isNull() && image_.width() >= needed.width() && image_.height() >= needed.height() &&
        qFuzzyCompare(image_.devicePixelRatio(), ratio))
        return;
    QImage grown(needed.expandedTo(image_.size()), QImage::Format_ARGB32_Premultiplied);
    grown.setDevicePixelRatio(ratio);
    grown.fill(Qt::transparent);
    if (!steps_.isEmpty()) {
        QPainter painter(&grown);
        painter.drawImage(QPoint(0, 0), image_);
    }
    image_ = grown;
}

void DrawingLayer::zoom(qreal factor, QPoint origin, const Enlarge &enlarge)
{
    factor_ = factor;
    origin_ = origin;
    enlarge_ = enlarge;
    image_ = QImage();
    for (const Step &step : std::as_const(steps_))
        draw(step);
}

QRect DrawingLayer::paintPicture(QPoint topLeft, const QPixmap &picture)
{
    if (picture.isNull())
        return {};
    steps_.append({QRect(topLeft, picture.deviceIndependentSize().toSize()), picture, {}});
    return draw(steps_.last());
}

QRect DrawingLayer::fillBox(QPoint from, QPoint to, const QColor &colour)
{
    const QRect box = QRect(from, to).normalized();
    // A box over everything drawn so far replaces it, so the time bar's
    // fills do not pile up from game to game.
    QRect drawn;
    for (const Step &step : std::as_const(steps_))
        drawn |= step.place;
    if (box.contains(drawn))
        steps_.clear();
    steps_.append({box, {}, colour});
    return draw(steps_.last());
}

QRect DrawingLayer::draw(const Step &step)
{
    if (factor_ == 1.0) {
        cover(QSize(step.place.right() + 1, step.place.bottom() + 1),
              image_.isNull() ? (step.picture.isNull() ? 1.0 : step.picture.devicePixelRatio())
                              : image_.devicePixelRatio());
        QPainter painter(&image_);
        if (step.picture.isNull())
            painter.fillRect(step.place, step.colour);
        else
            painter.drawPixmap(step.place.topLeft(), step.picture);
        return step.place;
    }
    // Zoomed, the layer's pixels are the device's, counted from the owner's corner.
    cover(QSize(step.place.right() + 1, step.place.bottom() + 1), 1.0);
    const QPoint corner = scaling::scaledRect(QRect(origin_, QSize(1, 1)), factor_).topLeft();
    const QRect device = scaling::scaledRect(step.place.translated(origin_), factor_).translated(-corner);
    QPainter painter(&image_);
    if (step.picture.isNull()) {
        painter.fillRect(device, step.colour);
        return device;
    }
    const Enlarged drawing =
        enlarge_ ? enlarge_(step.picture, step.place.topLeft() + origin_, factor_) : nullptr;
    const QImage larger = drawing ? drawing() : QImage();
    if (!larger.isNull()) {
        painter.drawImage(device.topLeft(), larger);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(device, step.picture);
    }
    return device;
}

void DrawingLayer::clear()
{
    image_.fill(Qt::transparent);
    steps_.clear();
}

void DrawingLayer::drawOnto(QPainter &painter) const
{
    if (!steps_.isEmpty())
        painter.drawImage(QPoint(0, 0), image_);
}

} // namespace toolkit
