// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawing_layer.h"

#include <QFuture>
#include <QPixmap>
#include <QWidget>

class QThreadPool;

namespace toolkit {

// A widget that shows a background colour, a picture at its top-left corner
// at natural size, and what has been drawn on it at run time.
class PictureSurface : public QWidget
{
    Q_OBJECT

public:
    explicit PictureSurface(QWidget *parent = nullptr);
    ~PictureSurface() override;

    // A new picture comes without what was drawn on the old one.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }
    void setBackgroundColour(const QColor &colour);

    // Removes everything drawn at run time; the picture stays.
    void clearDrawing();
    bool hasDrawing() const { return !drawing_.isEmpty(); }

    // Draws the surface enlarged by factor (1: at natural size), as laid out
    // at design, its geometry in its area's pixels; the caller places it. The
    // enlarged picture is drawn on drawings, whose owner waits for it before
    // the application ends, or here and now without one.
    void setZoom(qreal factor, QRect design, const Enlarge &enlarge, QThreadPool *drawings = nullptr);
    qreal zoom() const { return zoom_; }
    // Its geometry as laid out at natural size.
    QRect designGeometry() const { return zoom_ == 1.0 ? geometry() : design_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // Sets the size as laid out at natural size.
    void resizeDesign(QSize size);

    DrawingLayer drawing_;

private:
    void enlargePicture();

    QPixmap picture_;
    QImage larger_;
    QFuture<QImage> pending_; // larger_, while it is being drawn
    QColor background_;
    qreal zoom_ = 1.0;
    QRect design_;
    Enlarge enlarge_;
    QThreadPool *drawings_ = nullptr;
};

} // namespace toolkit
