// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing_layer.h"

#include <QFont>
#include <QHash>
#include <QWidget>

namespace toolkit {

class PictureSurface;

// Shows one area, laid out at its design size, enlarged by the largest
// factor that fits the frame and centred on the frame's background; at its
// design size the frame shows the area as laid out. The area's pictures are
// drawn from enlarge, its labels' text at the enlarged size, and presses on
// the area are reported in its own pixels.
class ScaledFrame : public QWidget
{
    Q_OBJECT

public:
    ScaledFrame(QWidget *parent, QSize designSize);

    void setArea(PictureSurface *area, const Enlarge &enlarge);
    qreal factor() const { return factor_; }
    // The area's place on the screen.
    QRect areaOnScreen() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut();

    struct Design
    {
        QRect geometry;
        QFont font;
    };

    QSize designSize_;
    PictureSurface *area_ = nullptr;
    Enlarge enlarge_;
    qreal factor_ = 1.0;
    QHash<QWidget *, Design> designs_;
};

// Takes a window to full screen on its screen, lifting a fixed size, or back;
// returns whether it is now full screen. Back in a window, the caller gives it
// its place and size again.
bool toggleFullScreen(QWidget *window);

// Lays out a child window opened over a full-screen opener at the opener's
// factor, centred over its area, and back as designed once it is hidden.
void scaleWithOpener(QWidget *child, QWidget *opener);

} // namespace toolkit
