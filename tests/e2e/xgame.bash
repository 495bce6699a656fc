# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the real program on a private X server (Xvfb, xdotool, ImageMagick).
# xgame_display SOURCE_DIR makes the server and XGAME_TMP (the scratch folder,
# gone at exit unless XGAME_KEEP is set); xgame_launch BINARY [FOLDER] starts
# the program, copied into FOLDER ($XGAME_TMP), and sets XGAME_WID and
# XGAME_PROGRAM_PID; the user's data folder is XGAME_TMP/data. Before a launch a script may set XGAME_ENV (NAME=VALUE
# over the defaults below), XGAME_AS (put before the command), XGAME_RUN (the
# command, ./tovasel), XGAME_PREPARE (run with the folder before the start),
# XGAME_LOG and XGAME_WAIT (seconds for slow starts, 20); XGAME_SCREEN is the
# screen's size.

# The first convert on PATH may be a stand-in; Debian's own is the one meant.
XGAME_IM=/usr/bin
[ -x "$XGAME_IM/convert" ] || XGAME_IM=$(dirname "$(command -v convert)")

# Hot-spots "x1 y1 x2 y2" by figure, in word order (they are window pixels
# too), from the table the program itself is built with.
XGAME_SPOTS_1=() XGAME_SPOTS_2=()
while IFS=, read -r number _ x1 y1 x2 y2; do
    case $number in
    1[0-9][0-9]) XGAME_SPOTS_1+=("$x1 $y1 $x2 $y2") ;;
    2[0-9][0-9]) XGAME_SPOTS_2+=("$x1 $y1 $x2 $y2") ;;
    esac
done <"$(dirname "${BASH_SOURCE[0]}")/../../src/content/hot_spots.csv"

xgame_fail() { echo "FAIL: $*" >&2; exit 1; }
xgame_need() { local t; for t; do command -v "$t" >/dev/null || xgame_fail "$t is not installed"; done; }
# xgame_until SECONDS COMMAND...: polls COMMAND until it succeeds; fails after SECONDS.
xgame_until() { local end=$((SECONDS + $1)); until "${@:2}"; do [ $SECONDS -lt $end ] && sleep 0.1 || return 1; done; }

xgame_stop() { kill ${XGAME_PROGRAM_PID:-} ${XGAME_XVFB_PID:-} 2>/dev/null; wait; [ -n "${XGAME_KEEP:-}" ] || rm -rf "$XGAME_TMP"; }

xgame_display()
{
    XGAME_SOURCE=$1 XGAME_TMP=$(mktemp -d) && trap xgame_stop EXIT && xgame_need Xvfb xdotool import
    local n=$((150 + $$ % 700)) # away from the usual :0 and :99
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -noreset -screen 0 "${XGAME_SCREEN:-1024x768}x24" -nolisten tcp >"$XGAME_TMP/xvfb.log" 2>&1 &
    XGAME_XVFB_PID=$! && export DISPLAY=":$n"
    xgame_until 20 [ -e "/tmp/.X11-unix/X$n" ] || xgame_fail "Xvfb did not start on $DISPLAY"
}

# xgame_display_free SOURCE_DIR: xgame_display on a number the server takes
# itself, so that tests started together never share a server. Both keep the
# server from resetting when its last client leaves (dbus-launch's visit, a
# window manager's check): a client that connects during a reset is refused.
xgame_display_free()
{
    XGAME_SOURCE=$1 XGAME_TMP=$(mktemp -d) && trap xgame_stop EXIT && xgame_need Xvfb xdotool import
    Xvfb -displayfd 3 -noreset -screen 0 "${XGAME_SCREEN:-1024x768}x24" -nolisten tcp 3>"$XGAME_TMP/display" >"$XGAME_TMP/xvfb.log" 2>&1 &
    XGAME_XVFB_PID=$! && xgame_until 20 grep -q . "$XGAME_TMP/display" || xgame_fail "Xvfb did not start"
    export DISPLAY=":$(cat "$XGAME_TMP/display")"
}

xgame_start() { xgame_display "$2" && xgame_launch "$1"; }

xgame_launch()
{
    local folder=${2:-$XGAME_TMP} && mkdir -p "$folder" "$XGAME_TMP/runtime" && chmod 700 "$XGAME_TMP/runtime"
    [ -n "${XGAME_RUN:-}" ] || cp "$1" "$folder/tovasel"
    [ -z "${XGAME_PREPARE:-}" ] || $XGAME_PREPARE "$folder" || xgame_fail "$XGAME_PREPARE failed"
    # exec, so that XGAME_PROGRAM_PID is the program itself.
    (cd "$folder" && exec env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$XGAME_TMP/runtime" XDG_DATA_HOME="$XGAME_TMP/data" "${XGAME_ENV[@]}" \
        "${XGAME_AS[@]}" ${XGAME_RUN:-./tovasel} >"${XGAME_LOG:-$XGAME_TMP/program.log}" 2>&1) &
    XGAME_PROGRAM_PID=$! XGAME_WID=$(timeout "${XGAME_WAIT:-20}" xdotool search --sync --onlyvisible --name '^Tovasel$' | head -n 1)
    [ -n "$XGAME_WID" ] && sleep 0.5 || xgame_fail "the main window did not appear"
}

# xgame_board_window [SECONDS [CAPTION]]: prints the leaderboard's window (or
# CAPTION's) once it shows; xdotool's --name does not match a Chinese caption.
xgame_board_window() { xgame_until "${1:-10}" xgame_find "${2:-排行榜}"; }
xgame_find()
{
    local w
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && echo "$w" && return 0
    done
    return 1
}
# xgame_geometry WINDOW|root: WxH+X+Y of where the client really is (a window
# manager's frame shifts what xdotool reports).
xgame_geometry() {
    xwininfo $([ "$1" = root ] && echo -root || echo -id "$1") | awk '/Absolute upper-left X/{x=$NF}
        /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}'
}
xgame_gone() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# xgame_close WINDOW...: WM_DELETE_WINDOW, as a window manager's close button
# sends it (Debian 12's xdotool can only destroy a window).
xgame_close()
{
    /usr/bin/python3 - "$@" <<'EOF'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = x.XInternAtom.restype = ctypes.c_void_p
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XInternAtom.argtypes, x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int], [ctypes.c_void_p, ctypes.c_int]
d = x.XOpenDisplay(None) or sys.exit("no display")
atoms = [x.XInternAtom(d, name, 0) for name in (b"WM_PROTOCOLS", b"WM_DELETE_WINDOW")]
for w in sys.argv[1:]:
    # XClientMessageEvent as longs: type, serial, send_event, display, window, message_type, format, data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, int(w, 0), atoms[0], 32, atoms[1])
    x.XSendEvent(d, int(w, 0), 0, 0, event) or sys.exit("cannot send to " + w)
x.XSync(d, 0)  # a request only flushed can be lost when this client exits at once
EOF
}

# xgame_ping SECONDS [X Y]: clicks X,Y in the main window if given, then asks
# the window again and again for SECONDS whether it answers, as a desktop does
# (_NET_WM_PING); prints the slowest answer in ms, 5000 where one never came.
xgame_ping()
{
    /usr/bin/python3 - "$XGAME_WID" "$@" <<'EOF'
import ctypes, select, subprocess, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = x.XInternAtom.restype = x.XDefaultRootWindow.restype = ctypes.c_void_p
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XInternAtom.argtypes, x.XFlush.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int], [ctypes.c_void_p]
x.XSelectInput.argtypes, x.XDefaultRootWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long], [ctypes.c_void_p]
x.XPending.argtypes, x.XNextEvent.argtypes = [ctypes.c_void_p], [ctypes.c_void_p, ctypes.c_void_p]
x.XConnectionNumber.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None) or sys.exit("no display")
w, root, fd = int(sys.argv[1], 0), x.XDefaultRootWindow(d), x.XConnectionNumber(d)
protocols, ping = (x.XInternAtom(d, name, 0) for name in (b"WM_PROTOCOLS", b"_NET_WM_PING"))
x.XSelectInput(d, root, 0x20000)  # StructureNotify: Qt sends the answer to the root window so
# The pings start before the click, so that the longest covers all the time it holds the window.
click = len(sys.argv) > 3 and subprocess.Popen(["xdotool", "mousemove", "--window", *sys.argv[1:2], *sys.argv[3:5], "click", "1"])
answered = lambda: event[0] & 0xFFFFFFFF == 33 and event[7] == ping and event[8] == stamp  # type is an int
end, worst, stamp, event = time.monotonic() + float(sys.argv[2]), 0.0, 0, (ctypes.c_long * 24)()
while worst < 5000 and (stamp == 0 or time.monotonic() < end):
    stamp += 1
    sent = time.monotonic()
    # XClientMessageEvent as longs: type, serial, send_event, display, window, message_type, format, data.
    x.XSendEvent(d, w, 0, 0, (ctypes.c_long * 24)(33, 0, 0, 0, w, protocols, 32, ping, stamp, w))
    x.XFlush(d)
    while not answered():
        if not x.XPending(d) and not select.select([fd], [], [], max(0, sent + 5 - time.monotonic()))[0]:
            break
        while x.XPending(d) and not answered():
            x.XNextEvent(d, event)
    worst = max(worst, (time.monotonic() - sent) * 1000)
    time.sleep(0.005)
print(round(worst))
sys.exit(click and click.wait())
EOF
}

# xgame_quit SECONDS: closes the main window and waits for the program's end;
# XGAME_STATUS is its exit status.
# xgame_dismiss WINDOW: asks it to close and waits until it has gone (20 s).
xgame_dismiss() { xgame_close "$1" && xgame_until 20 xgame_gone "$1"; }

xgame_quit()
{
    xgame_close "$XGAME_WID" && xgame_until "$1" eval '! kill -0 "$XGAME_PROGRAM_PID" 2>/dev/null' || return 1
    wait "$XGAME_PROGRAM_PID"; XGAME_STATUS=$? XGAME_PROGRAM_PID=
}

xgame_click() { xdotool mousemove --window "$XGAME_WID" "$1" "$2" click 1; }

# xgame_game [yes]: starts a game, answers its first question right if asked,
# misses twice (far apart: no double click) and sets XGAME_BOARD to the
# leaderboard; XGAME_MISSED is when the misses began.
xgame_game()
{
    local w
    xgame_click 521 257 # the start button
    w=$(xgame_wait_hint "$XGAME_TMP/game.png" 1 "" "${XGAME_WAIT:-20}") || xgame_fail "no question was asked"
    [ "${1:-}" != yes ] || xgame_click $(xgame_centre 1 "$w")
    sleep 1 # the flash and the hit sound, or the mascot's word
    XGAME_MISSED=$(date +%s.%N) && xgame_click 5 475 && xgame_click 470 10
    XGAME_BOARD=$(xgame_board_window "${XGAME_WAIT:-20}") || xgame_fail "no leaderboard after two misses"
}

# xgame_shot FILE [root]: the main window, or the whole screen.
xgame_shot() { import -window "$([ "${2:-}" = root ] && echo root || echo "$XGAME_WID")" "$1"; }

# xgame_share FILE WxH+X+Y COLOUR: the share (0..1) of the area's pixels near COLOUR.
xgame_share() { "$XGAME_IM/convert" "$1" -crop "$2" +repage -fuzz 20% -fill black +opaque "$3" -fill white -opaque "$3" -format '%[fx:mean]' info:; }

# xgame_same FILE WxH+X+Y PICTURE: whether the area shows exactly PICTURE.
xgame_same() { [ "$("$XGAME_IM/convert" "$1" -crop "$2" +repage png:- | "$XGAME_IM/compare" -metric AE - "$3" null: 2>&1)" = 0 ]; }

xgame_picture() { printf '%s/src/content/media/pictures/%d.png' "$XGAME_SOURCE" "$1"; }

# xgame_hint FILE FIGURE: the index of the word whose hint (its picture laid
# exactly over its hot-spot) the figure shows, or nothing.
xgame_hint()
{
    local -n spots="XGAME_SPOTS_$2"
    local w x1 y1 picture
    for w in "${!spots[@]}"; do
        read -r x1 y1 _ <<<"${spots[$w]}" && picture=$(xgame_picture $((100 * $2 + w + 1)))
        xgame_same "$1" "$("$XGAME_IM/identify" -format '%wx%h' "$picture")+$x1+$y1" "$picture" && echo "$w" && return
    done
}

# xgame_centre FIGURE W: a point strictly inside the word's hot-spot.
xgame_centre() { local -n spots="XGAME_SPOTS_$1"; set -- ${spots[$2]}; echo "$((($1 + $3) / 2)) $((($2 + $4) / 2))"; }

# xgame_wait_hint FILE FIGURE [NOT [SECONDS]]: waits up to SECONDS (5) for a
# hint other than NOT and prints its word index.
xgame_wait_hint()
{
    local file=$1 figure=$2 not=${3:-} w
    xgame_until "${4:-5}" eval 'xgame_shot "$file" && w=$(xgame_hint "$file" "$figure") && [ -n "$w" ] && [ "$w" != "$not" ]' &&
        echo "$w"
}
