// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawing_layer.h"

#include <QPixmap>
#include <QWidget>

namespace toolkit {

// A widget that shows a background colour, a picture at its top-left corner
// at natural size, and what has been drawn on it at run time.
class PictureSurface : public QWidget
{
    Q_OBJECT

public:
    explicit PictureSurface(QWidget *parent = nullptr);

    // A new picture comes without what was drawn on the old one.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }
    void setBackgroundColour(const QColor &colour);

    // Removes everything drawn at run time; the picture stays.
    void clearDrawing();
    bool hasDrawing() const { return !drawing_.isEmpty(); }

protected:
    void paintEvent(QPaintEvent *event) override;

    DrawingLayer drawing_;

private:
    QPixmap picture_;
    QColor background_;
};

} // namespace toolkit
