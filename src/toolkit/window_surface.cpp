// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_surface.h"

#include <QMouseEvent>

namespace toolkit {

WindowSurface::WindowSurface(QWidget *parent)
    : PictureSurface(parent)
{}

void WindowSurface::paintPicture(QPoint topLeft, const QPixmap &picture)
{
    update(drawing_.paintPicture(topLeft, picture));
}

void WindowSurface::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // Presses that a control left unhandled travel up to here; they were not
    // on the surface itself.
    if (childAt(event->position().toPoint()) != nullptr)
        return;
    // Zoomed, a press is judged in the surface's own whole pixels, as in a
    // window: the one the pressed screen pixel shows.
    const QPoint pos = scaling::areaPixel(event->position().toPoint(), zoom());
    emit mouseDown(event->button(), event->modifiers(), float(pos.x()), float(pos.y()));
}

void WindowSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is not a new mouse-down: a child
    // who double-clicks the right part answers once, not once and then
    // again against the next word.
    event->accept();
}

} // namespace toolkit
