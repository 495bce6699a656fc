#include "picture_surface.h"

#include <QPainter>

namespace toolkit {

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
    update();
}

void PictureSurface::clearDrawing()
{
    drawing_.clear();
    update();
}

void PictureSurface::setZoom(qreal factor, QRect design, const Enlarge &enlarge)
{
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
    larger_ = zoom_ == 1.0 || picture_.isNull() || !enlarge_ ? QImage()
                                                             : enlarge_(picture_, design_.topLeft(), zoom_);
}

void PictureSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
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
