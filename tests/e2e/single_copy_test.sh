#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# One game per board, under Xvfb with no window manager: a start in the folder
# of a running game ends at once with status 0, opens no window and brings
# the running game to the top, its open help window (owned by the game's)
# over it with the keyboard; a copy in another folder runs beside it; the
# socket of a killed copy gives way to the next start's.
# Usage: bash single_copy_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
. "$(dirname "$0")/xgame.bash"
bound=5 # seconds for a second start to end; it takes well under one
xgame_start "$1" "$2"
game=$XGAME_WID others= took=
trap 'kill $others 2>/dev/null; xgame_stop' EXIT
mkdir "$XGAME_TMP/other" && cp "$1" "$XGAME_TMP/other/tovasel"
xgame_click 521 305 && help=$(xgame_board_window 10 帮助) || xgame_fail "no help window"
owner=$(xprop -id "$help" WM_TRANSIENT_FOR)
[ "${owner##* }" = "$(printf '0x%x' "$game")" ] || xgame_fail "help is not owned by the game $(printf '0x%x' "$game"): $owner"

# start FOLDER: the program in FOLDER, as xgame_launch starts it; sets pid.
start() {
    (cd "$1" && exec env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy DBUS_SESSION_BUS_ADDRESS=disabled: \
        XDG_RUNTIME_DIR="$XGAME_TMP/runtime" ./tovasel >>"$XGAME_TMP/copies.log" 2>&1) &
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

before=$(windows) && start "$XGAME_TMP/other"
xgame_until 20 eval 'other=$(new_window "$before") && [ -n "$other" ]' || xgame_fail "no copy started in another folder"
[ "$(topmost $game $other)" = "$other" ] || xgame_fail "the copy started last is not on top"

# second_start WHEN: a start in the game's folder ends at once with 0 and opens no window.
second_start() {
    local began=$(date +%s%N) before=$(windows) status
    start "$XGAME_TMP"
    xgame_until $bound eval '! running $pid' || xgame_fail "$1: a second start still runs after $bound s, windows: $(windows)"
    wait $pid
    status=$? took+=" $((($(date +%s%N) - began) / 1000000))"
    [ "$status" -eq 0 ] || xgame_fail "$1: a second start ended with status $status"
    [ "$(windows)" = "$before" ] || xgame_fail "$1: the windows changed from $before to $(windows)"
}

second_start "beside another copy"
xgame_until 5 eval '[ "$(topmost $game $other)" = "$game" ]' || xgame_fail "the running game was not raised over the other copy"
xgame_until 5 eval '[ "$(topmost $help $game)" = "$help" ]' || xgame_fail "help was left under its game"
xgame_until 5 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$help" ]' || xgame_fail "help did not take the keyboard"
xgame_dismiss "$help" || xgame_fail "help did not close"

kill -9 "$XGAME_PROGRAM_PID" && wait "$XGAME_PROGRAM_PID" 2>/dev/null
XGAME_PROGRAM_PID= before=$(windows) && start "$XGAME_TMP"
xgame_until 20 eval '[ -n "$(new_window "$before")" ]' || xgame_fail "no start after a copy was killed"
second_start "after a copy was killed"
echo "second starts ended with 0 after$took ms; another folder's copy ran beside; a killed copy's socket was replaced"
