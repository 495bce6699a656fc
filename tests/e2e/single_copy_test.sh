#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# One game per board, under Xvfb with no window manager. On a session bus (a
# private one) a start in the folder of a running game ends at once with
# status 0, opens no window and brings the running game to the top, its open
# help window (owned by the game's) over it with the keyboard; a copy in
# another folder runs beside it; a killed copy's place goes to the next start.
# Without a bus (a bare X session) a second start says on stderr that the game
# is running, ends with 0 and opens no window, however long the game has run;
# a killed copy's lock gives way.
# Usage: bash single_copy_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
. "$(dirname "$0")/xgame.bash"
bound=5 # seconds for a second start to end; it takes well under one
xgame_display "$2" && others= took= starts=0
{ read -r bus && read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
[ -n "${bus_pid:-}" ] || xgame_fail "no private session bus"
trap 'kill $others $bus_pid 2>/dev/null; xgame_stop' EXIT
XGAME_ENV=(DBUS_SESSION_BUS_ADDRESS="$bus") && xgame_launch "$1" && game=$XGAME_WID
mkdir "$XGAME_TMP/other" "$XGAME_TMP/bare" && cp "$1" "$XGAME_TMP/other/tovasel" && cp "$1" "$XGAME_TMP/bare/tovasel"
xgame_click 521 305 && help=$(xgame_board_window 10 帮助) || xgame_fail "no help window"
owner=$(xprop -id "$help" WM_TRANSIENT_FOR)
[ "${owner##* }" = "$(printf '0x%x' "$game")" ] || xgame_fail "help is not owned by the game $(printf '0x%x' "$game"): $owner"

# start FOLDER BUS: the program in FOLDER, as xgame_launch starts it, on BUS; sets pid and log.
start() {
    log=$XGAME_TMP/start-$((++starts)).log
    (cd "$1" && exec env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS="$2" \
        XDG_RUNTIME_DIR="$XGAME_TMP/runtime" ./tovasel >"$log" 2>&1) &
    pid=$! others+=" $!"
}
windows() { xdotool search --onlyvisible --name '^Tovasel$' | sort -n | tr '\n' ' '; }
new_window() { windows | tr ' ' '\n' | grep -vxF -e '' $(printf -- '-e %s ' $1) | head -n 1; }
# topmost WINDOW...: the highest of them; xwininfo lists the root's children top first.
topmost() {
    local w
    for w in $(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }'); do
        case " $* " in *" $((w)) "*) echo $((w)) && return ;; esac
    done
}
running() { kill -0 "$1" 2>/dev/null; }
# first_start FOLDER BUS WHEN: a start that opens a window of its own; sets first to its process.
first_start() {
    local before=$(windows)
    start "$1" "$2" && first=$pid
    xgame_until 20 eval '[ -n "$(new_window "$before")" ]' || xgame_fail "$3: no window, $(cat "$log")"
}

before=$(windows) && start "$XGAME_TMP/other" "$bus"
xgame_until 20 eval 'other=$(new_window "$before") && [ -n "$other" ]' || xgame_fail "no copy started in another folder"
[ "$(topmost $game $other)" = "$other" ] || xgame_fail "the copy started last is not on top"

# second_start FOLDER BUS WHEN: a start in FOLDER ends at once with 0 and opens no window.
second_start() {
    local began=$(date +%s%N) before=$(windows) status
    start "$1" "$2"
    xgame_until $bound eval '! running $pid' || xgame_fail "$3: a second start still runs after $bound s, windows: $(windows)"
    wait $pid
    status=$? took+=" $((($(date +%s%N) - began) / 1000000))"
    [ "$status" -eq 0 ] || xgame_fail "$3: a second start ended with status $status"
    [ "$(windows)" = "$before" ] || xgame_fail "$3: the windows changed from $before to $(windows)"
}

second_start "$XGAME_TMP" "$bus" "beside another copy"
xgame_until 5 eval '[ "$(topmost $game $other)" = "$game" ]' || xgame_fail "the running game was not raised over the other copy"
xgame_until 5 eval '[ "$(topmost $help $game)" = "$help" ]' || xgame_fail "help was left under its game"
xgame_until 5 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$help" ]' || xgame_fail "help did not take the keyboard"
xgame_dismiss "$help" || xgame_fail "help did not close"

kill -9 "$XGAME_PROGRAM_PID" && wait "$XGAME_PROGRAM_PID" 2>/dev/null
XGAME_PROGRAM_PID= && first_start "$XGAME_TMP" "$bus" "after a copy was killed"
second_start "$XGAME_TMP" "$bus" "after a copy was killed"

first_start "$XGAME_TMP/bare" disabled: "without a bus"
# A game played for an hour keeps its place.
touch -d '1 hour ago' "$XGAME_TMP"/runtime/tovasel-*.lock || xgame_fail "no lock in the runtime folder"
second_start "$XGAME_TMP/bare" disabled: "without a bus"
grep -q "already running" "$log" || xgame_fail "a second start without a bus said: $(cat "$log")"
kill -9 "$first" && wait "$first" 2>/dev/null
first_start "$XGAME_TMP/bare" disabled: "without a bus, after a copy was killed"
second_start "$XGAME_TMP/bare" disabled: "without a bus, after a copy was killed"
echo "second starts ended with 0 after$took ms; another folder's copy ran beside; a killed copy's name and lock gave way"
