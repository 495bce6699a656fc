# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The end-to-end tests' one Python helper, run as subcommands by xgame.bash
# (Debian 12's python3 alone: libX11 through ctypes, sway through swaymsg):
#   table                          the click points, areas and hot-spots, as shell variables
#   x11|sway VERB ARGS...          what the window system says of its windows:
#     windows [CAPTION]            the visible windows with that caption (Tovasel), one a line
#     find CAPTION [SECONDS [OLD...]]  the first such window that is none of OLD, waited for up to SECONDS
#     geometry WINDOW|root         WxH+X+Y of where the window's contents really are (not its frame)
#     shown WINDOW, full WINDOW    whether it shows, whether it is full screen (the exit status)
#     above UPPER LOWER            whether UPPER stacks over LOWER; if not, prints the stacking
#     active, panels               the focused window; the panels wholly on the screen
#   close WINDOW...                WM_DELETE_WINDOW, as a close button sends it (xdotool can only destroy)
#   ping WINDOW SECONDS [X Y]      the slowest answer to the desktop's pings, around a click at X,Y
#   board N SCORE, random SEED MIB, silent   a board, random bytes, whether SDL opens no audio device
import ctypes, json, os, random, re, select, struct, subprocess, sys, time

# Where the tests click and look, in pixels of the game's 619 x 483 window;
# "name" is the leaderboard's name box, in its window's pixels. "miss" and
# "miss2" are far apart (no double click) and reached by no hot-spot.
POINTS = {"start": "521 257", "help": "521 305", "mascot": "544 106", "miss": "5 475", "miss2": "470 10", "name": "100 60"}
AREAS = {"figure": "483x483+0+0", "score": "73x25+560+376", "life1": "16x16+504+8", "life2": "16x16+528+8"}


# XGAME_AT (the points, and each hot-spot's centre as FIGURE.WORD), XGAME_AREA,
# and by figure in word order XGAME_SPOTS_N ("x1 y1 x2 y2") and XGAME_WORDS_N,
# from the hot-spot table the program itself is built with.
def table():
    rows = [r.strip().split(",") for r in open(os.path.dirname(os.path.abspath(__file__)) + "/../../src/content/hot_spots.csv")]
    for figure in "12":
        spots = [r for r in rows if r[0].isdigit() and r[0][0] == figure]
        POINTS.update({f"{figure}.{w}": f"{(int(r[2]) + int(r[4])) // 2} {(int(r[3]) + int(r[5])) // 2}" for w, r in enumerate(spots)})
        print(f"XGAME_SPOTS_{figure}=(" + " ".join(f"'{' '.join(r[2:])}'" for r in spots) + f") XGAME_WORDS_{figure}=(" +
              " ".join(r[1] for r in spots) + ")")
    for name, values in ("XGAME_AT", POINTS), ("XGAME_AREA", AREAS):
        print(f"declare -A {name}=(" + " ".join(f"[{k}]='{v}'" for k, v in values.items()) + ")")


class X11:
    def __init__(self):
        self.x = x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p  # the display as a pointer; ids and atoms fit an int
        self.d = ctypes.c_void_p(x.XOpenDisplay(None) or sys.exit("no display"))
        self.root, self.ignore = x.XDefaultRootWindow(self.d), ctypes.CFUNCTYPE(ctypes.c_int)(lambda *_: 0)
        x.XSetErrorHandler(self.ignore)  # a window may go while it is asked about: an error is an empty answer

    def atom(self, name):
        return self.x.XInternAtom(self.d, name.encode(), 0)

    # The property's numbers (format 32) or bytes, empty where it is missing.
    def prop(self, w, name):
        kind, form, n, left, data = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        self.x.XGetWindowProperty(self.d, w, self.atom(name), 0, 1 << 16, 0, 0, *map(ctypes.byref, (kind, form, n, left, data)))
        size = n.value * (1 if form.value == 8 else ctypes.sizeof(ctypes.c_long))
        found = ctypes.string_at(data, size) if data.value else b""
        data.value and self.x.XFree(data)
        return list(struct.unpack(f"{n.value}l", found)) if form.value == 32 else found

    def children(self, w):  # bottom to top
        root, parent, kids, n = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        found = kids[:n.value] if self.x.XQueryTree(self.d, w, *map(ctypes.byref, (root, parent, kids, n))) and kids else []
        kids and self.x.XFree(kids)
        return found

    def attributes(self, w):  # XWindowAttributes as ints: width 2, height 3, border 4, map_state 23
        a = (ctypes.c_int * 34)()
        return a if self.x.XGetWindowAttributes(self.d, self.window(w), a) else None

    def window(self, w):
        return self.root if w == "root" else int(w, 0)

    def shown(self, w):
        return (self.attributes(w) or [0] * 34)[23] == 2  # IsViewable

    def tree(self, w):
        return [v for c in self.children(w) for v in [c] + self.tree(c)]

    def windows(self, caption="Tovasel"):
        named = lambda w: (self.prop(w, "_NET_WM_NAME") or self.prop(w, "WM_NAME")).decode(errors="replace") == caption
        return sorted(w for w in self.tree(self.root) if named(w) and self.shown(str(w)))

    def geometry(self, w):
        a, x, y, child = self.attributes(w) or sys.exit(f"no window {w}"), ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
        self.x.XTranslateCoordinates(self.d, self.window(w), self.root, -a[4], -a[4], *map(ctypes.byref, (x, y, child)))
        return f"{a[2]}x{a[3]}+{x.value}+{y.value}"

    # The top-level windows bottom to top: the window manager's list, or the root's children without one.
    def stacking(self):
        return self.prop(self.root, "_NET_CLIENT_LIST_STACKING") or self.children(self.root)

    def active(self):
        return (self.prop(self.root, "_NET_ACTIVE_WINDOW") or [0])[0]

    def full(self, w):
        return self.atom("_NET_WM_STATE_FULLSCREEN") in list(self.prop(self.window(w), "_NET_WM_STATE"))

    # A hidden dock leaves a sliver on the screen: it is no panel.
    def panels(self):
        found = [w for w in self.tree(self.root) if b"xfce4-panel" in self.prop(w, "WM_CLASS").lower().split(b"\0")]
        width, height, *_ = map(int, re.split("[x+]", self.geometry("root")))
        on_screen = lambda w, h, x, y: w >= 8 and h >= 8 and x + w <= width and y + h <= height
        return [g for g in (self.geometry(str(w)) for w in found if self.shown(str(w))) if on_screen(*map(int, re.split("[x+]", g)))]

    def send(self, w, protocol, *data):  # XClientMessageEvent as longs: type, serial, send_event, display,
        # window, message_type, format, data
        event = (ctypes.c_long * 24)(33, 0, 0, 0, w, self.atom("WM_PROTOCOLS"), 32, self.atom(protocol), *data)
        return self.x.XSendEvent(self.d, w, 0, 0, event)

    def close(self, *windows):
        all(self.send(int(w, 0), "WM_DELETE_WINDOW") or sys.exit("cannot send to " + w) for w in windows)
        self.x.XSync(self.d, 0)  # a request only flushed can be lost when this client exits at once

    # Asks the window again and again for SECONDS whether it answers
    # (_NET_WM_PING), as a desktop does, and prints the slowest answer in ms,
    # 5000 where one never came. The pings start before the click, so that
    # the longest covers all the time the click holds the window.
    def ping(self, w, seconds, *point):
        w, x, fd, event = int(w, 0), self.x, self.x.XConnectionNumber(self.d), (ctypes.c_long * 24)()
        x.XSelectInput(self.d, self.root, 0x20000)  # StructureNotify: Qt sends the answer to the root window so
        click = point and subprocess.Popen(["xdotool", "mousemove", "--window", str(w), *point, "click", "1"])
        ping, end, worst, stamp = self.atom("_NET_WM_PING"), time.monotonic() + float(seconds), 0.0, 0
        answered = lambda: event[0] & 0xFFFFFFFF == 33 and event[7] == ping and event[8] == stamp  # type is an int
        while worst < 5000 and (stamp == 0 or time.monotonic() < end):
            stamp, sent = stamp + 1, time.monotonic()
            self.send(w, "_NET_WM_PING", stamp, w)
            x.XFlush(self.d)
            while not answered():
                if not x.XPending(self.d) and not select.select([fd], [], [], max(0, sent + 5 - time.monotonic()))[0]:
                    break
                while x.XPending(self.d) and not answered():
                    x.XNextEvent(self.d, event)
            worst = max(worst, (time.monotonic() - sent) * 1000)
            time.sleep(0.005)
        print(round(worst))
        return not click or click.wait() == 0


# The same questions of sway, about the windows of its tree (con ids), bottom to top.
class Sway:
    def get(self, kind):
        return json.loads(subprocess.run(["swaymsg", "-t", kind], capture_output=True, check=True).stdout)

    def nodes(self):
        walk = lambda n: ([n] if "pid" in n else []) + [v for c in n["nodes"] + n["floating_nodes"] for v in walk(c)]
        return walk(self.get("get_tree"))

    def node(self, w):
        return next((n for n in self.nodes() if str(n["id"]) == w), {})

    def stacking(self):
        return [n["id"] for n in self.nodes()]

    def windows(self, caption="Tovasel"):
        return sorted(n["id"] for n in self.nodes() if n["name"] == caption)

    def geometry(self, w):
        r = self.get("get_outputs")[0]["rect"] if w == "root" else self.node(w).get("rect") or sys.exit(f"no window {w}")
        return f"{r['width']}x{r['height']}+{r['x']}+{r['y']}"

    def shown(self, w):
        return bool(self.node(w))

    def active(self):
        return next((n["id"] for n in self.nodes() if n["focused"]), 0)

    def full(self, w):
        return self.node(w).get("fullscreen_mode") == 1


def ask(system, verb, *args):
    if verb == "find":
        end, old = time.monotonic() + float((args[1:] or [0])[0]), args[2:]
        while not (found := [w for w in system.windows(args[0]) if str(w) not in old]) and time.monotonic() < end:
            time.sleep(0.1)
        answer = found[:1] or False
    elif verb == "above":
        order, (upper, lower) = system.stacking(), (int(w, 0) for w in args)
        answer = upper in order and lower in order and order.index(upper) > order.index(lower)
        answer or print("the stacking is", *map(hex, order))
    else:
        answer = getattr(system, verb)(*args)
    for line in answer if isinstance(answer, list) else [] if isinstance(answer, bool) else [answer]:
        print(line)
    return answer is not False


def main(command, *args):
    out = sys.stdout.buffer
    if command in ("x11", "sway"):
        return ask(X11() if command == "x11" else Sway(), *args)
    if command in ("close", "ping"):
        return getattr(X11(), command)(*args) is not False
    if command == "table":
        return table() or True
    if command == "board":  # N SCORE: a first line of N Chinese characters with SCORE, then nine Chinese names with 0
        return out.write(("小" * int(args[0]) + f",{args[1]}\r\n" + "".join(f"王{k},0\r\n" for k in range(2, 11))).encode("gb18030"))
    if command == "random":
        return out.write(random.Random(int(args[0])).randbytes(int(args[1]) << 20))
    if command == "silent":  # in this environment
        sdl, wanted = ctypes.CDLL("libSDL2-2.0.so.0"), ctypes.create_string_buffer(32)
        struct.pack_into("iHBBH", wanted, 0, 22050, 8, 1, 0, 512)  # 22050 Hz, U8, mono, 512 samples
        return not (sdl.SDL_InitSubSystem(0x10) == 0 and sdl.SDL_OpenAudioDevice(None, 0, wanted, None, 0) != 0)
    sys.exit(f"xgame.py: no command {command}")


sys.exit(0 if main(*sys.argv[1:]) else 1)
