// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A pointer for a headless wlroots compositor (sway), which has none: reads
// "move X Y", "press" and "release" lines (layout pixels on a WIDTH x HEIGHT
// layout) and plays them through zwlr_virtual_pointer_v1. One device lives for
// the whole run, so that clients keep their wl_pointer between clicks.
// Usage: virtual_pointer WIDTH HEIGHT < commands

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

// The two interfaces as wayland-scanner would write them; the request order
// is the protocol's, since a request's index is its opcode.
extern const wl_interface pointerInterface;
const wl_interface *types[] = {nullptr,          nullptr, nullptr, nullptr, nullptr, &wl_seat_interface,
                               &pointerInterface};
const wl_message managerRequests[] = {{"create_virtual_pointer", "?on", types + 5}, {"destroy", "", types}};
const wl_interface managerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2, managerRequests, 0, nullptr};
const wl_message pointerRequests[] = {{"motion", "uff", types},   {"motion_absolute", "uuuuu", types},
                                      {"button", "uuu", types},   {"axis", "uuf", types},
                                      {"frame", "", types},       {"axis_source", "u", types},
                                      {"axis_stop", "uu", types}, {"axis_discrete", "uufi", types},
                                      {"destroy", "", types}};
const wl_interface pointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, pointerRequests, 0, nullptr};
enum { MotionAbsolute = 1, Button = 2, Frame = 4, Destroy = 8 };
constexpr unsigned LeftButton = 0x110; // BTN_LEFT

wl_proxy *manager = nullptr;

void global(void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
{
    if (std::strcmp(interface, managerInterface.name) == 0)
        manager = static_cast<wl_proxy *>(wl_registry_bind(registry, name, &managerInterface, 1));
}
void globalRemove(void *, wl_registry *, uint32_t)
{}
const wl_registry_listener registryListener = {global, globalRemove};

uint32_t now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint32_t(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return std::fprintf(stderr, "usage: %s WIDTH HEIGHT < commands\n", argv[0]), 2;
    const uint32_t width = std::strtoul(argv[1], nullptr, 10), height = std::strtoul(argv[2], nullptr, 10);
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return std::fprintf(stderr, "no Wayland display\n"), 1;
    wl_registry_add_listener(wl_display_get_registry(display), &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!manager)
        return std::fprintf(stderr, "the compositor has no %s\n", managerInterface.name), 1;
    // No seat given: the compositor's default one.
    auto *pointer = wl_proxy_marshal_flags(manager, 0, &pointerInterface, 1, 0, nullptr, nullptr);

    char line[128];
    unsigned x = 0, y = 0;
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::sscanf(line, "move %u %u", &x, &y) == 2)
            wl_proxy_marshal_flags(pointer, MotionAbsolute, nullptr, 1, 0, now(), x, y, width, height);
        else if (std::strncmp(line, "press", 5) == 0 || std::strncmp(line, "release", 7) == 0)
            wl_proxy_marshal_flags(pointer, Button, nullptr, 1, 0, now(), LeftButton,
                                   line[0] == 'p' ? 1u : 0u);
        else
            return std::fprintf(stderr, "unknown command: %s", line), 2;
        wl_proxy_marshal_flags(pointer, Frame, nullptr, 1, 0);
        if (wl_display_roundtrip(display) < 0)
            return std::fprintf(stderr, "the compositor went away\n"), 1;
    }
    wl_proxy_marshal_flags(pointer, Destroy, nullptr, 1, WL_MARSHAL_FLAG_DESTROY);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
