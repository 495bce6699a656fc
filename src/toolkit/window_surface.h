// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "picture_surface.h"

namespace toolkit {

// A window's own surface: its background picture at the top-left corner,
// what has been painted on it since it was last cleared, and mouse-down
// reports for presses on the surface itself (not on its controls).
class WindowSurface : public PictureSurface
{
    Q_OBJECT

public:
    explicit WindowSurface(QWidget *parent = nullptr);

    // Paints a picture at its natural size; it stays until cleared.
    void paintPicture(QPoint topLeft, const QPixmap &picture);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x, float y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace toolkit
