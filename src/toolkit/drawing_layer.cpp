// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_layer.h"

#include <QPainter>
#include <QPixmap>

namespace toolkit {

void DrawingLayer::cover(QSize size, qreal devicePixelRatio)
{
    const QSize needed = size * devicePixelRatio;
    if (!image_.isNull() && image_.width() >= needed.width() && image_.height() >= needed.height() &&
        qFuzzyCompare(image_.devicePixelRatio(), devicePixelRatio))
        return;
    QImage grown(needed.expandedTo(image_.size()), QImage::Format_ARGB32_Premultiplied);
    grown.setDevicePixelRatio(devicePixelRatio);
    grown.fill(Qt::transparent);
    if (!empty_) {
        QPainter painter(&grown);
        painter.drawImage(QPoint(0, 0), image_);
    }
    image_ = grown;
}

void DrawingLayer::paintPicture(QPoint topLeft, const QPixmap &picture)
{
    if (picture.isNull())
        return;
    cover(QSize(topLeft.x(), topLeft.y()) + picture.deviceIndependentSize().toSize(),
          image_.isNull() ? picture.devicePixelRatio() : image_.devicePixelRatio());
    QPainter painter(&image_);
    painter.drawPixmap(topLeft, picture);
    empty_ = false;
}

void DrawingLayer::fillBox(QPoint from, QPoint to, const QColor &colour)
{
    const QRect box = QRect(from, to).normalized();
    cover(QSize(box.right() + 1, box.bottom() + 1), image_.isNull() ? 1.0 : image_.devicePixelRatio());
    QPainter painter(&image_);
    painter.fillRect(box, colour);
    empty_ = false;
}

void DrawingLayer::clear()
{
    image_.fill(Qt::transparent);
    empty_ = true;
}

void DrawingLayer::drawOnto(QPainter &painter) const
{
    if (!empty_)
        painter.drawImage(QPoint(0, 0), image_);
}

} // namespace toolkit
