# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the real program on a private X server: sourced by the end-to-end
# test and by scripts/screenshots.sh. Needs Xvfb, xdotool and ImageMagick.
#
# After xgame_start: XGAME_WID (the main window), XGAME_TMP (scratch folder,
# also the program's folder, so its board file lands there), XGAME_PROGRAM_PID.
#
# XGAME_SCREEN is the screen's size (1024x768) for xgame_display.
#
# xgame_start is xgame_display and xgame_launch; a script that runs the
# program several times calls them itself, and may set before each launch:
#   XGAME_PREPARE  a command, run with the program's folder once the program
#                  is copied there and before it starts
#   XGAME_ENV      an array of NAME=VALUE for the program's environment (they
#                  override the defaults: xcb, SDL's dummy audio driver, ...)
#   XGAME_AS       an array put before the program's command (setpriv, to run
#                  it as another user)
#   XGAME_LOG      the file for the program's output ($XGAME_TMP/program.log)
#   XGAME_WAIT     seconds to wait for the main window (20)
# XGAME_KEEP=1 keeps XGAME_TMP at exit, to look at what went wrong.

XGAME_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The first convert on PATH may be a stand-in; Debian's own is the one meant.
XGAME_IM=/usr/bin
[ -x "$XGAME_IM/convert" ] || XGAME_IM=$(dirname "$(command -v convert)")

# Hot-spots x1 y1 x2 y2 by figure, in word order (they are window pixels too).
XGAME_SPOTS_1=(
    "274 158 301 169" "272 250 305 267" "267 172 297 210" "221 195 260 238" "303 113 384 221"
    "203 304 240 342" "245 121 377 257" "282 264 318 278" "298 273 334 296" "262 230 303 241")
XGAME_SPOTS_2=(
    "189 322 237 370" "159 329 180 367" "158 286 178 309" "245 350 263 375" "143 443 200 476"
    "153 423 180 446" "187 278 226 313" "226 269 239 281" "187 463 203 476" "193 295 212 313")

xgame_fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

xgame_stop()
{
    [ -n "${XGAME_PROGRAM_PID:-}" ] && kill "$XGAME_PROGRAM_PID" 2>/dev/null
    [ -n "${XGAME_XVFB_PID:-}" ] && kill "$XGAME_XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "${XGAME_TMP:-}" ] && [ -z "${XGAME_KEEP:-}" ] && rm -rf "$XGAME_TMP"
    return 0
}

# xgame_start BINARY SOURCE_DIR
xgame_start()
{
    xgame_display "$2"
    xgame_launch "$1"
}

# xgame_display SOURCE_DIR: a private X server, and XGAME_TMP, both gone at exit.
xgame_display()
{
    XGAME_SOURCE=$1
    XGAME_TMP=$(mktemp -d)
    trap xgame_stop EXIT

    # A display number of our own, away from the usual :0 and :99.
    local n=$((150 + $$ % 700))
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 "${XGAME_SCREEN:-1024x768}x24" -nolisten tcp >"$XGAME_TMP/xvfb.log" 2>&1 &
    XGAME_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    [ -e "/tmp/.X11-unix/X$n" ] || xgame_fail "Xvfb did not start on $DISPLAY"
}

# xgame_launch BINARY [FOLDER]: copies the program into FOLDER ($XGAME_TMP)
# and starts it there, then waits for its main window.
xgame_launch()
{
    local binary=$1 folder=${2:-$XGAME_TMP}
    mkdir -p "$folder"
    cp "$binary" "$folder/tovasel"
    mkdir -p "$XGAME_TMP/runtime"
    chmod 700 "$XGAME_TMP/runtime"
    if [ -n "${XGAME_PREPARE:-}" ]; then
        $XGAME_PREPARE "$folder" || xgame_fail "$XGAME_PREPARE failed"
    fi
    # exec, so that XGAME_PROGRAM_PID is the program itself.
    (cd "$folder" && exec env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        DBUS_SESSION_BUS_ADDRESS=disabled: XDG_RUNTIME_DIR="$XGAME_TMP/runtime" "${XGAME_ENV[@]}" \
        "${XGAME_AS[@]}" ./tovasel >"${XGAME_LOG:-$XGAME_TMP/program.log}" 2>&1) &
    XGAME_PROGRAM_PID=$!
    XGAME_WID=$(timeout "${XGAME_WAIT:-20}" xdotool search --sync --onlyvisible --name '^Tovasel$' | head -n 1)
    [ -n "$XGAME_WID" ] || xgame_fail "the main window did not appear"
    sleep 0.5
}

# xgame_board_window [SECONDS [CAPTION]]: waits up to SECONDS (10; 0 looks once) for the
# leaderboard window (or the one with CAPTION) and prints it. xdotool's --name
# does not match a Chinese caption.
xgame_board_window()
{
    local i w
    for i in $(seq 0 $((${1:-10} * 10))); do
        for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
            if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "${2:-排行榜}" ]; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# xgame_close WINDOW...: asks windows to close as a window manager's close
# button does; closing the main window ends the program normally.
xgame_close()
{
    /usr/bin/python3 "$XGAME_HERE/xclose.py" "$@"
}

# xgame_quit SECONDS: closes the main window as its close button does and
# waits up to SECONDS for the program to end; XGAME_STATUS is its exit status.
xgame_quit()
{
    local i
    xgame_close "$XGAME_WID"
    for i in $(seq $(($1 * 10))); do
        kill -0 "$XGAME_PROGRAM_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$XGAME_PROGRAM_PID" 2>/dev/null && return 1
    wait "$XGAME_PROGRAM_PID"
    XGAME_STATUS=$?
    XGAME_PROGRAM_PID=
}

xgame_click()
{
    xdotool mousemove --window "$XGAME_WID" "$1" "$2" click 1
}

# xgame_shot FILE [root]: the main window, or the whole screen.
xgame_shot()
{
    if [ "${2:-}" = root ]; then
        import -window root "$1"
    else
        import -window "$XGAME_WID" "$1"
    fi
}

# xgame_share FILE WxH+X+Y COLOUR: the share (0..1) of the area's pixels near COLOUR.
xgame_share()
{
    "$XGAME_IM/convert" "$1" -crop "$2" +repage -fuzz 20% -fill black +opaque "$3" \
        -fill white -opaque "$3" -format '%[fx:mean]' info:
}

# xgame_same FILE WxH+X+Y PICTURE: whether the area shows exactly PICTURE.
xgame_same()
{
    local crop="$XGAME_TMP/crop.png"
    "$XGAME_IM/convert" "$1" -crop "$2" +repage "$crop" &&
        [ "$("$XGAME_IM/compare" -metric AE "$crop" "$3" null: 2>&1)" = 0 ]
}

xgame_picture() { printf '%s/src/content/media/pictures/%d.png' "$XGAME_SOURCE" "$1"; }

# xgame_hint FILE FIGURE: the index of the word whose hint the figure shows, or
# nothing. The hint is the word's picture laid exactly over its hot-spot.
xgame_hint()
{
    local shot=$1 figure=$2 w picture size x1 y1 x2 y2
    local -n spots="XGAME_SPOTS_$figure"
    for w in "${!spots[@]}"; do
        read -r x1 y1 x2 y2 <<<"${spots[$w]}"
        picture=$(xgame_picture $((100 * figure + w + 1)))
        size=$("$XGAME_IM/identify" -format '%wx%h' "$picture")
        if xgame_same "$shot" "$size+$x1+$y1" "$picture"; then
            echo "$w"
            return 0
        fi
    done
}

# xgame_centre FIGURE W: a point strictly inside the word's hot-spot.
xgame_centre()
{
    local -n spots="XGAME_SPOTS_$1"
    local x1 y1 x2 y2
    read -r x1 y1 x2 y2 <<<"${spots[$2]}"
    echo "$(((x1 + x2) / 2)) $(((y1 + y2) / 2))"
}

# xgame_wait_hint FILE FIGURE [NOT [SECONDS]]: waits up to SECONDS (5) for a
# hint other than NOT to show, and prints its word index.
xgame_wait_hint()
{
    local i w
    for i in $(seq $((${4:-5} * 5))); do
        xgame_shot "$1"
        w=$(xgame_hint "$1" "$2")
        if [ -n "$w" ] && [ "$w" != "${3:-}" ]; then
            echo "$w"
            return 0
        fi
        sleep 0.2
    done
    return 1
}
