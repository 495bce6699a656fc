// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture_surface.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>
#include <QThreadPool>

namespace toolkit {
namespace {

// Where enlarged pictures are drawn: not the shared pool, whose threads Qt's
// own painting may wait for while a drawing is made.
QThreadPool &drawingPool()
{
    static QThreadPool pool;
    return pool;
}

} // namespace

PictureSurface::PictureSurface(QWidget *parent)
    : QWidget(parent)
{}

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

void PictureSurface::setZoom(qreal factor, QRect design, const Enlarge &enlarge)
{
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
    setGeometry(scaledRect(design_, zoom_));
}

void PictureSurface::enlargePicture()
{
    larger_ = QImage();
    pending_ = QFuture<QImage>();
    if (zoom_ == 1.0 || picture_.isNull() || !enlarge_)
        return;
    // Drawn on the thread pool from now on: the window is still being
    // resized, and the first paint then finds it ready or nearly so.
    if (Enlarged drawing = enlarge_(picture_, design_.topLeft(), zoom_))
        pending_ = QtConcurrent::run(&drawingPool(), std::move(drawing));
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
