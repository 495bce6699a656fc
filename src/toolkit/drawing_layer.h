// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>

#include "scaled_rect.h"

#include <functional>

class QPainter;

namespace toolkit {

// A picture drawn larger than its natural size: given the picture, where its
// top-left corner goes (in the pixels of the area it belongs to) and the
// factor, the drawing to make, which may run on any thread. None when there
// is none; the picture is then stretched.
using Enlarged = std::function<QImage()>;
using Enlarge = std::function<Enlarged(const QPixmap &picture, QPoint topLeft, qreal factor)>;

// What has been painted on a window or picture box at run time. It lives
// outside the paint event, so covering and uncovering the window loses
// nothing, and it is cleared without touching the background picture. It
// keeps what was painted, so that it can be drawn again at another size.
class DrawingLayer
{
public:
    // Grows the layer to cover size (logical pixels) at ratio, keeping its content.
    void cover(QSize size, qreal devicePixelRatio);
    // Draws everything again, and from now on, enlarged by factor, for an
    // owner whose top-left corner is at origin in its area's pixels.
    void zoom(qreal factor, QPoint origin, const Enlarge &enlarge);

    // Each returns the owner's pixels that changed.
    QRect paintPicture(QPoint topLeft, const QPixmap &picture);
    // Fills the box between two corners, both corners included.
    QRect fillBox(QPoint from, QPoint to, const QColor &colour);
    void clear();

    void drawOnto(QPainter &painter) const;
    bool isEmpty() const { return steps_.isEmpty(); }

private:
    struct Step
    {
        QRect place;
        QPixmap picture; // or, when null, a box filled with colour
        QColor colour;
    };
    QRect draw(const Step &step);

    QList<Step> steps_;
    QImage image_;
    qreal factor_ = 1.0;
    QPoint origin_;
    Enlarge enlarge_;
};

} // namespace toolkit
