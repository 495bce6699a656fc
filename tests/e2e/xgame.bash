# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the real program on a private X server (Xvfb, xdotool, ImageMagick),
# or under sway where XGAME_WS is sway (desktop_test.sh); what it asks of the
# window system, and the few files it makes, come from xgame.py. xgame_display
# SOURCE_DIR makes the server and XGAME_TMP (the scratch folder, gone at exit
# unless XGAME_KEEP is set); xgame_launch BINARY [FOLDER] starts the program,
# copied into FOLDER ($XGAME_TMP), and sets XGAME_WID and XGAME_PROGRAM_PID;
# the user's data folder is XGAME_TMP/data. Before a launch a script may set
# XGAME_ENV (NAME=VALUE over the defaults below), XGAME_AS (put before the
# command), XGAME_RUN (the command, ./tovasel), XGAME_PREPARE (run with the
# folder before the start), XGAME_LOG and XGAME_WAIT (seconds for slow
# starts, 20); XGAME_SCREEN is the screen's size. Sourcing it sets -u.
set -u
XGAME_PY=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xgame.py XGAME_SERVERS=0
xgame_py() { /usr/bin/python3 "$XGAME_PY" "$@"; }
# xgame_ask VERB ARGS...: the window system's answer (see xgame.py).
xgame_ask() { xgame_py "${XGAME_WS:-x11}" "$@"; }
# The first convert on PATH may be a stand-in; Debian's own is the one meant.
XGAME_IM=/usr/bin
[ -x "$XGAME_IM/convert" ] || XGAME_IM=$(dirname "$(command -v convert)")

# Where the tests click and look, in pixels of the game's 619 x 483 window:
# "name" is the leaderboard's name box, in its own window's pixels; no
# hot-spot reaches "miss" and "miss2", far apart (no double click). XGAME_AT
# also has each hot-spot's centre as FIGURE.WORD ("1.3": figure 1, its fourth
# word); XGAME_SPOTS_N and XGAME_WORDS_N are figure N's hot-spots ("x1 y1 x2
# y2") and words, in word order, from the table the program is built with.
declare -A XGAME_AT=([start]="521 257" [help]="521 305" [mascot]="544 106" [miss]="5 475" [miss2]="470 10" [name]="100 60")
declare -A XGAME_AREA=([figure]=483x483+0+0 [score]=73x25+560+376 [life1]=16x16+504+8 [life2]=16x16+528+8)
XGAME_SPOTS_1=() XGAME_SPOTS_2=() XGAME_WORDS_1=() XGAME_WORDS_2=()
xgame_hot_spots() {
    local number word x1 y1 x2 y2
    while IFS=, read -r number word x1 y1 x2 y2; do
        [[ $number =~ ^[12][0-9][0-9]$ ]] && local -n spots=XGAME_SPOTS_${number:0:1} words=XGAME_WORDS_${number:0:1} || continue
        XGAME_AT[${number:0:1}.${#spots[@]}]="$(((x1 + x2) / 2)) $(((y1 + y2) / 2))" && spots+=("$x1 $y1 $x2 $y2") && words+=("$word")
    done <"${XGAME_PY%/*}/../../src/content/hot_spots.csv"
} && xgame_hot_spots

xgame_fail() { echo "FAIL: $*" >&2; exit 1; }
xgame_need() { local t; for t; do command -v "$t" >/dev/null || xgame_fail "$t is not installed"; done; }
# xgame_skip_without TOOL...: skips the test (77) where a tool is missing.
xgame_skip_without() { local t; for t; do command -v "$t" >/dev/null || { echo "SKIP: no $t"; exit 77; }; done; }
# xgame_until SECONDS COMMAND...: polls COMMAND until it succeeds; fails after SECONDS.
# An eval'd COMMAND sees the caller's locals, but xgame_until's own $1, $2 ...
xgame_until() { local end=$((SECONDS + $1)); until "${@:2}"; do [ $SECONDS -lt $end ] && sleep 0.1 || return 1; done; }

# xgame_at_exit COMMAND: evaluates COMMAND at exit, before the program and the X servers end.
xgame_at_exit() { XGAME_AT_EXIT="$1; ${XGAME_AT_EXIT:-}"; }
xgame_stop() {
    eval "${XGAME_AT_EXIT:-}"; kill ${XGAME_PROGRAM_PID:-} ${XGAME_XVFB_PID:-} 2>/dev/null; wait; [ -n "${XGAME_KEEP:-}" ] || rm -rf "$XGAME_TMP"
}

# xgame_xvfb: one more X server, of XGAME_SCREEN's size, on a number it takes
# itself (tests started together never share one); its display in
# XGAME_DISPLAY. It never resets when its last client leaves (dbus-launch's
# visit, a window manager's check): a client that connects then is refused.
xgame_xvfb() {
    local number=$XGAME_TMP/display-$((++XGAME_SERVERS))
    Xvfb -displayfd 3 -noreset -screen 0 "${XGAME_SCREEN:-1024x768}x24" -nolisten tcp 3>"$number" >>"$XGAME_TMP/xvfb.log" 2>&1 &
    XGAME_XVFB_PID+=" $!" && xgame_until 20 grep -qs . "$number" || xgame_fail "Xvfb did not start"
    XGAME_DISPLAY=:$(<"$number")
}
xgame_display() {
    XGAME_SOURCE=$1 XGAME_TMP=$(mktemp -d) && trap xgame_stop EXIT && xgame_need Xvfb xdotool import && xgame_xvfb && export DISPLAY=$XGAME_DISPLAY
}
xgame_start() { xgame_display "$2" && xgame_launch "$1"; }
# xgame_bus [CONFIG_OPTION]: a private session bus (as XGAME_AS) for what starts from here on, the program too; ended at exit.
xgame_bus() {
    local pid && { read -r DBUS_SESSION_BUS_ADDRESS && read -r pid; } < \
        <("${XGAME_AS[@]}" dbus-daemon "${1:---session}" --fork --print-address=1 --print-pid=1)
    [ -n "$pid" ] && xgame_at_exit "kill $pid" && export DBUS_SESSION_BUS_ADDRESS || xgame_fail "no private session bus"
    XGAME_ENV+=(DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS")
}
# xgame_desktop WM: a window manager (xfwm4 with xfce4-panel, mutter, openbox)
# on this server, with a private session bus and a home in XGAME_TMP; ready
# once it manages windows and the panels show.
xgame_desktop() {
    local -A command=([xfwm4]="xfwm4 --compositor=off" [mutter]="mutter --x11 --replace" [openbox]=openbox)
    export HOME=$XGAME_TMP/home && mkdir -p -m 700 "$HOME" && xgame_bus && { ${command[$1]} >"$XGAME_TMP/wm.log" 2>&1 & }
    # A loaded machine has been seen to keep a window manager's start waiting 20 s.
    xgame_until 40 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        xgame_fail "$1 did not start: $(tail -n 3 "$XGAME_TMP/wm.log")"
    [ "$1" != xfwm4 ] || { xfce4-panel >"$XGAME_TMP/panel.log" 2>&1 & }
    [ "$1" != xfwm4 ] || xgame_until 20 eval '[ "$(xgame_ask panels | wc -l)" -ge 2 ]' && sleep 1 || xgame_fail "xfce4-panel did not show"
}
# xgame_home FOLDER: the program's user has FOLDER as home, and the usual folders in it.
xgame_home() { XGAME_ENV+=(HOME="$1" XDG_DATA_HOME="$1/.local/share" XDG_CONFIG_HOME="$1/.config" XDG_CACHE_HOME="$1/.cache"); }
# xgame_user UID [GROUPS [FOLDER...]]: the program runs as UID, in GROUPS (none)
# and a runtime folder of its own; UID owns the FOLDERs.
xgame_user() {
    XGAME_AS=(setpriv --reuid="$1" --regid="$1" ${2:+--groups="$2"}) && [ -n "${2:-}" ] || XGAME_AS+=(--clear-groups)
    mkdir -p -m 700 "$XGAME_TMP/runtime-$1" && chown -R "$1:$1" "$XGAME_TMP/runtime-$1" "${@:3}" && XGAME_ENV+=(XDG_RUNTIME_DIR="$XGAME_TMP/runtime-$1")
}
# xgame_sanitized BINARY [FOLDER]: whether BINARY is a sanitizer build; if so
# the sanitizers' options join XGAME_ENV, reporting into FOLDER if given.
xgame_sanitized() {
    grep -q __asan_init "$1" && XGAME_ENV+=(ASAN_OPTIONS="detect_leaks=1${2:+:abort_on_error=1:log_path=$2/asan}"
        LSAN_OPTIONS="suppressions=$XGAME_SOURCE/tests/support/lsan.supp" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${2:+:log_path=$2/ubsan}")
}
# xgame_clean LOG [FOLDER]: the program ended (XGAME_STATUS) with 0 and no
# sanitizer report, in its LOG or into FOLDER; else prints why, and the report
# or the log's end on stderr.
xgame_clean() {
    local reports=${2:-$XGAME_TMP/none}
    [ -z "$(ls -A "$reports" 2>/dev/null)" ] && ! grep -qE 'runtime error:|ERROR: (Address|Leak)Sanitizer' "$1" ||
        { cat "$reports"/* "$1" 2>/dev/null | head -60 >&2 && echo "sanitizer report" && return 1; }
    [ "$XGAME_STATUS" = 0 ] || { tail -20 "$1" >&2 && echo "the program ended with status $XGAME_STATUS" && return 1; }
}

# xgame_run FOLDER: starts the program, copied into FOLDER once, in the
# background; its process (exec'd, so the program itself) is $!.
xgame_run() {
    mkdir -p "$1" "$XGAME_TMP/runtime" && chmod 700 "$XGAME_TMP/runtime"
    [ -n "${XGAME_RUN:-}" ] || [ -e "$1/tovasel" ] || cp "$XGAME_BINARY" "$1/tovasel"
    [ -z "${XGAME_PREPARE:-}" ] || $XGAME_PREPARE "$1" || xgame_fail "$XGAME_PREPARE failed"
    (cd "$1" && exec env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled: \
        XDG_RUNTIME_DIR="$XGAME_TMP/runtime" XDG_DATA_HOME="$XGAME_TMP/data" "${XGAME_ENV[@]}" \
        "${XGAME_AS[@]}" ${XGAME_RUN:-./tovasel} >>"${XGAME_LOG:-$XGAME_TMP/program.log}" 2>&1) &
}
xgame_launch() {
    local old && old=$(xgame_ask windows) && XGAME_BINARY=$1 && xgame_run "${2:-$XGAME_TMP}" && XGAME_PROGRAM_PID=$! &&
        XGAME_WID=$(xgame_ask find Tovasel "${XGAME_WAIT:-20}" $old) && sleep 0.5 || xgame_fail "the main window did not appear"
}

# xgame_ask find CAPTION [SECONDS] prints the window with CAPTION once it shows;
# xgame_ask geometry WINDOW|root, where the client really is (a window
# manager's frame shifts what xdotool reports).
xgame_gone() { ! xgame_ask shown "$1"; }
# xgame_close WINDOW...: WM_DELETE_WINDOW, as a window manager's close button sends it.
xgame_close() { xgame_py x11 close "$@"; }
# xgame_dismiss WINDOW: asks it to close and waits until it has gone (20 s).
xgame_dismiss() {
    if [ "${XGAME_WS:-x11}" = sway ]; then swaymsg "[con_id=$1] kill" >/dev/null; else xgame_close "$1"; fi && xgame_until 20 xgame_gone "$1"
}
# xgame_ping SECONDS [POINT]: clicks POINT (X Y or a name) in the main window
# if given, then pings the window for SECONDS; prints the slowest answer in ms.
xgame_ping() { local at=${2:+${XGAME_AT[$2]:-${*:2}}}; xgame_py x11 ping "$XGAME_WID" "$1" $at; }

# xgame_ended PID SECONDS: whether the process ends within SECONDS; XGAME_STATUS is its exit status (or running).
xgame_ended() { local pid=$1 && XGAME_STATUS=running && xgame_until "$2" eval '! kill -0 $pid 2>/dev/null' && { wait "$pid"; XGAME_STATUS=$?; }; }
# xgame_quit SECONDS: closes the main window and waits for the program's end (XGAME_STATUS).
xgame_quit() { xgame_close "$XGAME_WID" && xgame_ended "$XGAME_PROGRAM_PID" "$1" && XGAME_PROGRAM_PID=; }

# xgame_click POINT: X Y or a name, in the main window. Under sway the pointer
# is XGAME_POINTER's (screen pixels), moved one pixel first: a press with no
# motion before it goes nowhere.
xgame_click() {
    set -- ${XGAME_AT[$1]:-$@}
    [ "${XGAME_WS:-x11}" = sway ] || { xdotool mousemove --window "$XGAME_WID" "$1" "$2" click 1; return; }
    local x y && IFS='x+' read -r _ _ x y <<<"$(xgame_ask geometry "$XGAME_WID")"
    printf 'move %d %d\n' $((x + $1 - 1)) $((y + $2)) >&"$XGAME_POINTER" && sleep 0.1
    printf 'move %d %d\npress\nrelease\n' $((x + $1)) $((y + $2)) >&"$XGAME_POINTER" && sleep 0.2
}
# xgame_parents: Ctrl+P in the main window; prints the parents' window once it shows (10 s).
xgame_parents() { xdotool windowfocus "$XGAME_WID" key ctrl+p && xgame_ask find 学习进度 10; }
# xgame_name NAME: types NAME into the leaderboard's name box (a key each XGAME_TYPE_DELAY ms) and confirms it.
xgame_name() { xdotool mousemove --window "$XGAME_BOARD" ${XGAME_AT[name]} click 1 type --delay "${XGAME_TYPE_DELAY:-20}" "$1" && xdotool key Return; }
# xgame_refused NAME: confirms NAME, and the leaderboard stays open (for 2 s) to say it was not stored.
xgame_refused() { xgame_name "$1" && ! xgame_until 2 xgame_gone "$XGAME_BOARD"; }

# xgame_game [yes]: starts a game, answers its first question (XGAME_WORD)
# right if asked, misses twice and sets XGAME_BOARD to the leaderboard;
# XGAME_MISSED is when the misses began (ms since the epoch).
xgame_game() {
    xgame_click start
    XGAME_WORD=$(xgame_wait_hint "$XGAME_TMP/game.png" 1 "" "${XGAME_WAIT:-20}") || xgame_fail "no question was asked"
    [ "${1:-}" != yes ] || xgame_click "1.$XGAME_WORD"
    sleep 1 # the flash and the hit sound, or the mascot's word
    XGAME_MISSED=$(date +%s%3N) && xgame_click miss && xgame_click miss2
    XGAME_BOARD=$(xgame_ask find 排行榜 "${XGAME_WAIT:-20}") || xgame_fail "no leaderboard after two misses"
}

# xgame_shot FILE [root]: the main window, or the whole screen (under sway
# grim's, as XGAME_AS with XGAME_ENV).
xgame_shot() {
    [ "${XGAME_WS:-x11}" = sway ] || { import -window "$([ "${2:-}" = root ] && echo root || echo "$XGAME_WID")" "$1"; return; }
    env "${XGAME_ENV[@]}" "${XGAME_AS[@]}" grim - >"$1" && [ "${2:-}" = root ] ||
        "$XGAME_IM/convert" "$1" -crop "$(xgame_ask geometry "$XGAME_WID")" +repage "$1"
}

# xgame_share FILE AREA COLOUR: the share (0..1) of the area's pixels near COLOUR.
xgame_share() {
    "$XGAME_IM/convert" "$1" -crop "${XGAME_AREA[$2]:-$2}" +repage -fuzz 20% -fill black +opaque "$3" -fill white -opaque "$3" -format '%[fx:mean]' info:
}
# xgame_fx FILE AREA EXPRESSION [FORMAT]: the share of the area's pixels for which EXPRESSION holds (or FORMAT of it).
xgame_fx() { "$XGAME_IM/convert" "$1" -crop "${XGAME_AREA[$2]:-$2}" +repage -fx "$3" -format "${4:-%[fx:mean]}" info:; }
# xgame_differ A B AREA [OPTION...]: how many of the area's pixels differ
# between pictures A and B, after ImageMagick's OPTIONs (-fuzz 10%, -draw ...).
xgame_differ() { "$XGAME_IM/convert" "$1" "$2" -crop "${XGAME_AREA[$3]:-$3}" +repage "${@:4}" -metric AE -compare -format '%[distortion]' info:; }
# xgame_same FILE AREA PICTURE: whether the area shows exactly PICTURE.
xgame_same() { [ "$("$XGAME_IM/convert" "$1" -crop "${XGAME_AREA[$2]:-$2}" +repage png:- | "$XGAME_IM/compare" -metric AE - "$3" null: 2>&1)" = 0 ]; }
xgame_picture() { printf '%s/src/content/media/pictures/%d.png' "$XGAME_SOURCE" "$1"; }

# xgame_hint FILE FIGURE: the index of the word whose hint (its picture laid
# exactly over its hot-spot) the figure shows, or nothing.
xgame_hint() {
    local -n spots="XGAME_SPOTS_$2" && local w x1 y1 picture
    for w in "${!spots[@]}"; do
        read -r x1 y1 _ <<<"${spots[$w]}" && picture=$(xgame_picture $((100 * $2 + w + 1)))
        xgame_same "$1" "$("$XGAME_IM/identify" -format '%wx%h' "$picture")+$x1+$y1" "$picture" && echo "$w" && return
    done
}
# xgame_centre FIGURE W: a point strictly inside the word's hot-spot.
xgame_centre() { echo "${XGAME_AT[$1.$2]}"; }

# xgame_wait_hint FILE FIGURE [NOT [SECONDS]]: waits up to SECONDS (5) for a
# hint other than NOT and prints its word index.
xgame_wait_hint() {
    local file=$1 figure=$2 not=${3:-} w
    xgame_until "${4:-5}" eval 'xgame_shot "$file" && w=$(xgame_hint "$file" "$figure") && [ -n "$w" ] && [ "$w" != "$not" ]' &&
        echo "$w"
}
