#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Asks X windows to close as a window manager's close button does, with a
WM_DELETE_WINDOW message, so that the program closes them itself. Works with
no window manager; Debian 12's xdotool has no such command (its windowclose
destroys the window under the program's feet).

usage: xclose.py WINDOW_ID...
"""
import ctypes
import sys

CLIENT_MESSAGE = 33


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip())
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
    x.XFlush.argtypes = x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("xclose.py: cannot open the display")
    protocols = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    delete = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    for window in sys.argv[1:]:
        event = Event()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = int(window, 0)
        event.xclient.message_type = protocols
        event.xclient.format = 32
        event.xclient.data[0] = delete
        if not x.XSendEvent(display, event.xclient.window, 0, 0, ctypes.byref(event)):
            sys.exit("xclose.py: cannot send to window " + window)
    x.XFlush(display)
    x.XCloseDisplay(display)


main()
