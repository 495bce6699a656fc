// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture_surface.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>
#include <QThreadPool>

namespace toolkit {

PictureSurface::PictureSurface(QWidget *parent)
    : QWidget(parent)
{}

PictureSurface::~PictureSurface()
{
    pending_.cancel();
}

void PictureSurface::setPicture(const QPixmap &picture)
{
    // What was drawn belonged to the old picture: a hint left from a lost
    // game would otherwise stand beside the next game's hint.
    drawing_.clear();
    picture_ = picture;
    enlargePicture();
    update();
}

void PictureSurface::setBackgroundColour(const QColor &colour)
{
    background_ = colour;
    // It covers what lies beneath, which is then not painted first: a
    // full-screen window would otherwise be filled twice over.
    setAttribute(Qt::WA_OpaquePaintEvent, colour.isValid() && colour.alpha() == 255);
    update();
}

void PictureSurface::clearDrawing()
{
    drawing_.clear();
    update();
}

void PictureSurface::setZoom(qreal factor, QRect design, const Enlarge &enlarge, QThreadPool *drawings)
{
    drawings_ = drawings;
    // Laid out again at the same size, what is drawn still fits.
    if (factor == zoom_ && design == design_ && bool(enlarge) == bool(enlarge_))
        return;
    zoom_ = factor;
    design_ = design;
    enlarge_ = enlarge;
    drawing_.zoom(factor, design.topLeft(), enlarge);
    enlargePicture();
    update();
}

void PictureSurface::resizeDesign(QSize size)
{
    if (zoom_ == 1.0) {
        resize(size);
        return;
    }
    design_.setSize(size);
    setGeometry(scaling::scaledRect(design_, zoom_));
}

void PictureSurface::enlargePicture()
{
    larger_ = QImage();
    // A drawing for a size no longer shown is dropped before it begins.
    pending_.cancel();
    pending_ = QFuture<QImage>();
    if (zoom_ == 1.0 || picture_.isNull() || !enlarge_)
        return;
    Enlarged drawing = enlarge_(picture_, design_.topLeft(), zoom_);
    if (!drawing)
        return;
    // Drawn on a worker from now on: the window is still being resized, and
    // the first paint then finds it ready or nearly so.
    if (drawings_)
        pending_ = QtConcurrent::run(drawings_, std::move(drawing));
    else
        larger_ = drawing();
}

void PictureSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (pending_.isValid()) {
        larger_ = pending_.result();
        pending_ = QFuture<QImage>();
    }
    if (background_.isValid()) {
        // An opaque picture hides the background under it: at full screen
        // that is millions of pixels not filled for nothing.
        QRegion bare(rect());
        if (!larger_.isNull())
            bare -= QRect(QPoint(0, 0), larger_.size());
        else if (zoom_ == 1.0 && !picture_.isNull() && !picture_.hasAlphaChannel())
            bare -= QRect(QPoint(0, 0), picture_.deviceIndependentSize().toSize());
        painter.setClipRegion(bare, Qt::IntersectClip);
        painter.fillRect(rect(), background_);
        painter.setClipping(false);
    }
    if (!larger_.isNull()) {
        painter.drawImage(QPoint(0, 0), larger_);
    } else if (!picture_.isNull() && zoom_ != 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(QRectF(QPointF(0, 0), picture_.deviceIndependentSize() * zoom_), picture_,
                           picture_.rect());
    } else if (!picture_.isNull()) {
        painter.drawPixmap(QPoint(0, 0), picture_);
    }
    drawing_.drawOnto(painter);
}

} // namespace toolkit
