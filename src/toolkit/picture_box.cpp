// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picture_box.h"

#include "classic_palette.h"

#include <QMouseEvent>

namespace toolkit {

PictureBox::PictureBox(QWidget *parent)
    : PictureSurface(parent)
{}

void PictureBox::setPicture(const QPixmap &picture)
{
    PictureSurface::setPicture(picture);
    fitPicture();
}

void PictureBox::setFitsPicture(bool fits)
{
    fitsPicture_ = fits;
    fitPicture();
}

void PictureBox::fitPicture()
{
    if (fitsPicture_ && !picture().isNull())
        resizeDesign(picture().deviceIndependentSize().toSize());
}

void PictureBox::fillBox(QPoint from, QPoint to, int paletteColour)
{
    drawing_.cover(designGeometry().size(), devicePixelRatioF());
    // Only the box is painted again: the time bar grows by a box a tick.
    update(drawing_.fillBox(from, to, classicColour(paletteColour)));
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so a click on the box never reaches the window beneath.
    pressed_ = true;
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace toolkit
