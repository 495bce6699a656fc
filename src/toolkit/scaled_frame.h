// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing_layer.h"

#include <QFont>
#include <QHash>
#include <QThreadPool>
#include <QWidget>

namespace toolkit {

class PictureSurface;

// A widget's geometry and font as laid out, from which each enlargement is made.
struct WidgetDesign
{
    QRect geometry;
    QFont font;
};

// Shows one area, laid out at its design size, enlarged by the largest
// factor that fits the frame and centred on the frame's background; at its
// design size the frame shows the area as laid out. Full screen, the area is
// shrunk to fit a screen smaller than it. The area's pictures are drawn from
// enlarge on the frame's own workers, its labels' text at the enlarged size,
// and presses on the area are reported in its own pixels.
class ScaledFrame : public QWidget
{
    Q_OBJECT

public:
    ScaledFrame(QWidget *parent, QSize designSize);
    // Waits for the drawings under way; those not begun are dropped.
    ~ScaledFrame() override;

    void setArea(PictureSurface *area, const Enlarge &enlarge);
    qreal factor() const { return factor_; }
    // The area's place on the screen.
    QRect areaOnScreen() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layOut();

    QSize designSize_;
    PictureSurface *area_ = nullptr;
    Enlarge enlarge_;
    qreal factor_ = 1.0;
    QHash<QWidget *, WidgetDesign> designs_;
    QThreadPool drawings_;
};

// Takes a window to full screen on its screen through the window manager,
// lifting a fixed size, or back to the place, size and limits it had.
void toggleFullScreen(QWidget *window);

// Lays out a child window opened over a full-screen opener at the opener's
// factor, centred over its area, and back as designed once it is hidden.
void scaleWithOpener(QWidget *child, QWidget *opener);

} // namespace toolkit
