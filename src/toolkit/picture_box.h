// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "picture_surface.h"

namespace toolkit {

// A box that shows a picture over a background colour, keeps boxes filled on
// it at run time, and reports clicks. With fitsPicture it takes the size of
// each picture put into it.
class PictureBox : public PictureSurface
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    void setFitsPicture(bool fits);

    // Fills the box between two corners (both included) with a colour of the
    // classic palette; it stays until the drawing is cleared.
    void fillBox(QPoint from, QPoint to, int paletteColour);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void fitPicture();

    bool fitsPicture_ = false;
    bool pressed_ = false;
};

} // namespace toolkit
