// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts a program and reports when its window is on the screen with a
// known picture painted, and the program's resident memory a second later.
//
//   frame_probe TITLE X Y RRGGBB -- PROGRAM ARGS...
//
// Prints "first-frame-ms RSS-KiB" on one line. Works on an X server without a
// window manager (Xvfb), where top-level windows are children of the root.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

Window findViewable(Display *display, const char *title)
{
    Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        XTextProperty name{};
        // The title as set, in whatever encoding: a Chinese child's name
        // makes it compound text, whose Latin start stays plain bytes.
        if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
            XGetWMName(display, children[i], &name) && name.value != nullptr) {
            // The game names the child who plays after its own name: "Tovasel - 小明".
            const std::string text(reinterpret_cast<const char *>(name.value), name.nitems);
            if (text == title || text.rfind(std::string(title) + " - ", 0) == 0)
                found = children[i];
        }
        if (name.value != nullptr)
            XFree(name.value);
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

bool showsColour(Display *display, Window window, int x, int y, unsigned long rgb)
{
    XImage *image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    // Allow for colour rounding in the server's visual.
    auto near = [](unsigned long a, unsigned long b) { return (a > b ? a - b : b - a) <= 3; };
    return near(pixel >> 16, rgb >> 16) && near((pixel >> 8) & 255, (rgb >> 8) & 255) &&
           near(pixel & 255, rgb & 255);
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0; // windows come and go while the tree is walked
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 7 || std::strcmp(argv[5], "--") != 0) {
        std::fprintf(stderr, "usage: %s TITLE X Y RRGGBB -- PROGRAM ARGS...\n", argv[0]);
        return 2;
    }
    const char *title = argv[1];
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[6], argv + 6);
        _exit(127);
    }

    double firstFrameMs = -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        const Window window = findViewable(display, title);
        if (window != 0 && showsColour(display, window, x, y, rgb)) {
            firstFrameMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::this_thread::sleep_until(start + std::chrono::seconds(1) +
                                  std::chrono::milliseconds(firstFrameMs > 0 ? int(firstFrameMs) : 0));
    const long rss = residentKiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (firstFrameMs < 0) {
        std::fprintf(stderr, "window '%s' never showed the colour\n", title);
        return 1;
    }
    std::printf("%.1f %ld\n", firstFrameMs, rss);
    return 0;
}
