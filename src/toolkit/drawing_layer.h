// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

class QPainter;
class QPixmap;

namespace toolkit {

// What has been painted on a window or picture box at run time. It lives
// outside the paint event, so covering and uncovering the window loses
// nothing, and it is cleared without touching the background picture.
class DrawingLayer
{
public:
    // Grows the layer to cover size (logical pixels) at ratio, keeping its content.
    void cover(QSize size, qreal devicePixelRatio);

    void paintPicture(QPoint topLeft, const QPixmap &picture);
    // Fills the box between two corners, both corners included.
    void fillBox(QPoint from, QPoint to, const QColor &colour);
    void clear();

    void drawOnto(QPainter &painter) const;
    bool isEmpty() const { return empty_; }

private:
    QImage image_;
    bool empty_ = true;
};

} // namespace toolkit
