# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The end-to-end tests' one Python helper, run as subcommands by xgame.bash
# (Debian 12's python3 alone: libX11 through ctypes, sway through swaymsg):
#   x11|sway VERB ARGS...          what the window system says of its windows:
#     windows [CAPTION]            the visible windows with that caption (Tovasel), one a line
#     find CAPTION [SECONDS [OLD...]]  the first such window that is none of OLD, waited for up to SECONDS
#     geometry WINDOW|root         WxH+X+Y of where the window's contents really are (not its frame)
#     shown WINDOW, full WINDOW    whether it shows, whether it is full screen (the exit status)
#     above UPPER LOWER            whether UPPER stacks over LOWER; if not, prints the stacking
#     active, panels               the focused window; the panels wholly on the screen
#   x11 close WINDOW...            WM_DELETE_WINDOW, as a close button sends it (xdotool can only destroy)
#   x11 ping WINDOW SECONDS [X Y]  the slowest answer to the desktop's pings, around a click at X,Y
#   board N SCORE, random SEED MIB, silent   a board, random bytes, whether SDL opens no audio device
import ctypes as C, json, random, re, select, struct, subprocess, sys, time


# The game's window is titled after the child who plays: "Tovasel - 小明".
def titled(name, caption): return name == caption or name.startswith(caption + " - ")


def rect(geometry):  # "WxH+X+Y" as numbers
    return [int(n) for n in re.split("[x+]", geometry)]


# What both window systems answer alike, from their windows and stacking (bottom to top).
class System:
    def find(self, caption, seconds="0", *old):
        end = time.monotonic() + float(seconds)
        while not (found := [w for w in self.windows(caption) if str(w) not in old]) and time.monotonic() < end:
            time.sleep(0.1)
        return found[:1] or False

    def above(self, upper, lower):
        order, upper, lower = self.stacking(), int(upper, 0), int(lower, 0)
        if upper in order and lower in order and order.index(upper) > order.index(lower):
            return True
        print("the stacking is", *map(hex, order))
        return False


class X11(System):
    def __init__(self):
        self.x = x = C.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = C.c_void_p  # the display as a pointer; window ids and atoms fit an int
        self.d = C.c_void_p(x.XOpenDisplay(None) or sys.exit("no display"))
        self.root, self.quiet = x.XDefaultRootWindow(self.d), C.CFUNCTYPE(C.c_int)(lambda *_: 0)
        x.XSetErrorHandler(self.quiet)  # a window may go while it is asked about: its errors are empty answers

    def atom(self, name): return self.x.XInternAtom(self.d, name.encode(), 0)
    def id(self, w): return self.root if w == "root" else int(w, 0)

    # The property's numbers (format 32) or bytes, empty where it is missing.
    def prop(self, w, name):
        kind, form, n, left, data = C.c_ulong(), C.c_int(), C.c_ulong(), C.c_ulong(), C.c_void_p()
        self.x.XGetWindowProperty(self.d, w, self.atom(name), 0, 1 << 16, 0, 0, *map(C.byref, (kind, form, n, left, data)))
        found = C.string_at(data, n.value * (8 if form.value == 32 else 1)) if data.value else b""
        data.value and self.x.XFree(data)
        return list(struct.unpack(f"{n.value}l", found)) if form.value == 32 else found

    def tree(self, w):  # every window under w, children bottom to top
        kids, n = C.POINTER(C.c_ulong)(), C.c_uint()
        self.x.XQueryTree(self.d, w, C.byref(C.c_ulong()), C.byref(C.c_ulong()), C.byref(kids), C.byref(n))
        found = kids[:n.value] if kids else []
        kids and self.x.XFree(kids)
        return [v for c in found for v in [c] + self.tree(c)]

    def attributes(self, w):  # XWindowAttributes as ints: width 2, height 3, border 4, map_state 23; or None
        a = (C.c_int * 34)()
        return a if self.x.XGetWindowAttributes(self.d, self.id(w), a) else None

    def shown(self, w): return (self.attributes(w) or [0] * 34)[23] == 2  # IsViewable

    def windows(self, caption="Tovasel"):
        named = lambda w: titled((self.prop(w, "_NET_WM_NAME") or self.prop(w, "WM_NAME")).decode(errors="replace"), caption)
        return sorted(w for w in self.tree(self.root) if named(w) and self.shown(str(w)))

    def geometry(self, w):
        a, x, y = self.attributes(w) or sys.exit(f"no window {w}"), C.c_int(), C.c_int()
        self.x.XTranslateCoordinates(self.d, self.id(w), self.root, -a[4], -a[4], C.byref(x), C.byref(y), C.byref(C.c_ulong()))
        return f"{a[2]}x{a[3]}+{x.value}+{y.value}"

    # The top-level windows bottom to top: the window manager's list, or the root's children without one.
    def stacking(self): return self.prop(self.root, "_NET_CLIENT_LIST_STACKING") or self.tree(self.root)
    def active(self): return (self.prop(self.root, "_NET_ACTIVE_WINDOW") or [0])[0]
    def full(self, w): return self.atom("_NET_WM_STATE_FULLSCREEN") in list(self.prop(self.id(w), "_NET_WM_STATE"))

    # A hidden dock leaves a sliver on the screen: it is no panel.
    def panels(self):
        found = [self.geometry(str(w)) for w in self.tree(self.root)
                 if b"xfce4-panel" in self.prop(w, "WM_CLASS").lower().split(b"\0") and self.shown(str(w))]
        width, height, _, _ = rect(self.geometry("root"))
        return [g for g, (w, h, x, y) in zip(found, map(rect, found)) if w >= 8 and h >= 8 and x + w <= width and y + h <= height]

    def send(self, w, protocol, *data):  # XClientMessageEvent as longs: type, serial, send_event, display,
        # window, message_type, format, data
        event = (C.c_long * 24)(33, 0, 0, 0, w, self.atom("WM_PROTOCOLS"), 32, self.atom(protocol), *data)
        return self.x.XSendEvent(self.d, w, 0, 0, event)

    def close(self, *windows):
        for w in windows:
            self.attributes(w) and self.send(int(w, 0), "WM_DELETE_WINDOW") or sys.exit("cannot send to " + w)
        self.x.XSync(self.d, 0)  # a request only flushed can be lost when this client exits at once

    # Asks the window again and again for SECONDS whether it answers
    # (_NET_WM_PING), as a desktop does, and prints the slowest answer in ms,
    # 5000 where one never came. The pings start before the click, so that
    # the longest covers all the time the click holds the window.
    def ping(self, w, seconds, *point):
        w, x, fd, event = int(w, 0), self.x, self.x.XConnectionNumber(self.d), (C.c_long * 24)()
        x.XSelectInput(self.d, self.root, 0x20000)  # StructureNotify: Qt sends the answer to the root window so
        click = point and subprocess.Popen(["xdotool", "mousemove", "--window", str(w), *point, "click", "1"])
        ping, end, worst, stamp = self.atom("_NET_WM_PING"), time.monotonic() + float(seconds), 0.0, 0
        answered = lambda: event[0] & 0xFFFFFFFF == 33 and event[7] == ping and event[8] == stamp  # type is an int
        while worst < 5000 and (stamp == 0 or time.monotonic() < end):
            stamp, sent = stamp + 1, time.monotonic()
            self.send(w, "_NET_WM_PING", stamp, w)
            x.XFlush(self.d)
            # XPending reads what select found waiting: it may be no whole event yet.
            while not answered() and (x.XPending(self.d) or select.select([fd], [], [], max(0, sent + 5 - time.monotonic()))[0]):
                x.XPending(self.d) and x.XNextEvent(self.d, event)
            worst = max(worst, (time.monotonic() - sent) * 1000)
            time.sleep(0.005)
        print(round(worst))
        return not click or click.wait() == 0


# The same questions of sway, about the windows of its tree (con ids), bottom to top.
class Sway(System):
    def get(self, kind): return json.loads(subprocess.run(["swaymsg", "-t", kind], capture_output=True, check=True).stdout)

    def nodes(self):
        walk = lambda n: ([n] if "pid" in n else []) + [v for c in n["nodes"] + n["floating_nodes"] for v in walk(c)]
        return walk(self.get("get_tree"))

    def node(self, w): return next((n for n in self.nodes() if str(n["id"]) == w), {})
    def stacking(self): return [n["id"] for n in self.nodes()]
    def windows(self, caption="Tovasel"): return sorted(n["id"] for n in self.nodes() if titled(n["name"] or "", caption))
    def shown(self, w): return bool(self.node(w))
    def active(self): return next((n["id"] for n in self.nodes() if n["focused"]), 0)
    def full(self, w): return self.node(w).get("fullscreen_mode") == 1

    def geometry(self, w):
        r = self.get("get_outputs")[0]["rect"] if w == "root" else self.node(w).get("rect") or sys.exit(f"no window {w}")
        return f"{r['width']}x{r['height']}+{r['x']}+{r['y']}"


def ask(system, verb, *args):
    answer = getattr(system, verb)(*args)
    for line in answer if isinstance(answer, list) else [] if isinstance(answer, (bool, type(None))) else [answer]:
        print(line)
    return answer is not False


def main(command, *args):
    out = sys.stdout.buffer
    if command in ("x11", "sway"):
        return ask(X11() if command == "x11" else Sway(), *args)
    if command == "board":  # N SCORE: a first line of N Chinese characters with SCORE, then nine Chinese names with 0
        return out.write(("小" * int(args[0]) + f",{args[1]}\r\n" + "".join(f"王{k},0\r\n" for k in range(2, 11))).encode("gb18030"))
    if command == "random":
        return out.write(random.Random(int(args[0])).randbytes(int(args[1]) << 20))
    if command == "silent":  # in this environment
        sdl, wanted = C.CDLL("libSDL2-2.0.so.0"), C.create_string_buffer(32)
        struct.pack_into("iHBBH", wanted, 0, 22050, 8, 1, 0, 512)  # 22050 Hz, U8, mono, 512 samples
        return not (sdl.SDL_InitSubSystem(0x10) == 0 and sdl.SDL_OpenAudioDevice(None, 0, wanted, None, 0) != 0)
    sys.exit(f"xgame.py: no command {command}")


sys.exit(0 if main(*sys.argv[1:]) else 1)
