// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "full_screen.h"

#include "window_manager.h"

#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace toolkit {
namespace {

constexpr char FullScreen[] = "toolkitFullScreen";

} // namespace

bool fullScreenAsked(const QWidget *window)
{
    return window->property(FullScreen).toBool();
}

void toggleFullScreen(QWidget *window)
{
    static constexpr char Normal[] = "toolkitNormalGeometry";
    static constexpr char Smallest[] = "toolkitNormalMinimum";
    static constexpr char Largest[] = "toolkitNormalMaximum";
    const bool full = !fullScreenAsked(window);
    window->setProperty(FullScreen, full);
    if (!full) {
        window->showNormal();
        // The client area's own place: a window manager that has just taken
        // the frame away would misplace a move of the frame.
        window->setGeometry(window->property(Normal).toRect());
        window->setMinimumSize(window->property(Smallest).toSize());
        window->setMaximumSize(window->property(Largest).toSize());
        return;
    }
    window->setProperty(Normal, window->geometry());
    window->setProperty(Smallest, window->minimumSize());
    window->setProperty(Largest, window->maximumSize());
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window->showFullScreen();
    // Only where nothing else takes it there: under a window manager, a
    // change of geometry ends its full screen, with its panels back on top.
    if (!windowManagerRuns())
        window->setGeometry(window->screen()->geometry());
}

} // namespace toolkit
