// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_manager.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef Q_OS_LINUX
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace toolkit {

#ifdef Q_OS_LINUX
namespace {

const QNativeInterface::QX11Application *x11()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
}

// XCB_ATOM_NONE when the server does not answer, or (onlyIfExists) has no such atom.
xcb_atom_t atom(xcb_connection_t *connection, const char *name, bool onlyIfExists)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, onlyIfExists, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

xcb_window_t rootOf(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The server's current time, read as the PropertyNotify of a zero-length
// append to window on a connection of our own (Qt's hands every event to its
// own reader thread); XCB_CURRENT_TIME when none is to be had.
xcb_timestamp_t serverTime(xcb_window_t window)
{
    xcb_connection_t *own = xcb_connect(nullptr, nullptr);
    xcb_timestamp_t now = XCB_CURRENT_TIME;
    const xcb_atom_t stamp =
        xcb_connection_has_error(own) ? xcb_atom_t(XCB_ATOM_NONE) : atom(own, "_TOVASEL_TIMESTAMP", false);
    if (stamp != XCB_ATOM_NONE) {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(own, window, XCB_CW_EVENT_MASK, &mask);
        xcb_change_property(own, XCB_PROP_MODE_APPEND, window, stamp, XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(own);
        while (xcb_generic_event_t *event = xcb_wait_for_event(own)) {
            const auto *property = reinterpret_cast<xcb_property_notify_event_t *>(event);
            const uint8_t type = event->response_type & ~0x80;
            const bool found = type == XCB_PROPERTY_NOTIFY && property->atom == stamp;
            if (found)
                now = property->time;
            free(event);
            if (found || type == 0) // 0: an error (the window is gone): no time to be had
                break;
        }
    }
    xcb_disconnect(own);
    return now;
}

} // namespace

bool windowManagerRuns()
{
    if (!x11())
        return true;
    // The offscreen platform offers the interface without a connection, and
    // nothing there places windows.
    xcb_connection_t *connection = x11()->connection();
    if (!connection)
        return false;
    const xcb_atom_t check = atom(connection, "_NET_SUPPORTING_WM_CHECK", true);
    if (check == XCB_ATOM_NONE)
        return false;
    // The check window names itself too, unless it outlived its window manager.
    auto checkWindow = [&](xcb_window_t window) {
        xcb_window_t named = XCB_NONE;
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
        if (reply && xcb_get_property_value_length(reply) == int(sizeof(xcb_window_t)))
            named = *static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
        free(reply);
        return named;
    };
    const xcb_window_t named = checkWindow(rootOf(connection));
    return named != XCB_NONE && checkWindow(named) == named;
}

void activateWithServerTime(QWindow *window)
{
    xcb_connection_t *connection = x11() ? x11()->connection() : nullptr;
    if (!connection || !window)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_timestamp_t now = serverTime(id);
    const xcb_atom_t active = atom(connection, "_NET_ACTIVE_WINDOW", false);
    if (now == XCB_CURRENT_TIME || active == XCB_ATOM_NONE)
        return;
    // Sent on Qt's connection, after Qt's own request, so that it arrives last.
    const QWindow *focused = QGuiApplication::focusWindow();
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = active;
    message.data.data32[0] = 1; // from an application
    message.data.data32[1] = now;
    message.data.data32[2] = focused ? xcb_window_t(focused->winId()) : XCB_NONE;
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

#else

bool windowManagerRuns()
{
    return true;
}

void activateWithServerTime(QWindow *)
{}

#endif

} // namespace toolkit
