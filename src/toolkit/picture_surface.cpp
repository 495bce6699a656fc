// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

void PictureSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    if (!picture_.isNull())
        painter.drawPixmap(QPoint(0, 0), picture_);
    drawing_.drawOnto(painter);
}

} // namespace toolkit
