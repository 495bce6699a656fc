// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWindow;

// What the program asks of the window manager beyond what Qt offers; all of
// it is X11's, and elsewhere the window system does it unasked.
namespace toolkit {

// Whether something places the program's windows: on X11 a window manager
// that names itself on the root window, as every current one does; other
// systems always have one (the offscreen platform none).
bool windowManagerRuns();

// On X11, asks the window manager to activate window with the server's
// current time. Qt's own request carries the time of the last event this
// program saw, which is older than whatever the user did since in another
// program, so a window manager that guards against focus stealing (mutter)
// refuses it. Meant for a request the user has just made (a later start).
void activateWithServerTime(QWindow *window);

} // namespace toolkit
