// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace toolkit {

// Takes a window to full screen on its screen through the window manager,
// lifting a fixed size, or back to the place, size and limits it had.
void toggleFullScreen(QWidget *window);

// Whether full screen was last asked of window. Its state follows what a
// window manager reports, and without one reads normal again at once.
bool fullScreenAsked(const QWidget *window);

} // namespace toolkit
