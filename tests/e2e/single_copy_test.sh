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
. "$(dirname "$0")/xgame.bash"
bound=5 # seconds for a second start to end; it takes well under one
xgame_display "$2" && xgame_bus && bus=$DBUS_SESSION_BUS_ADDRESS others= took= starts=0
xgame_at_exit 'kill $others 2>/dev/null'
xgame_launch "$1" && game=$XGAME_WID
xgame_click help && help=$(xgame_ask find 帮助 10) || xgame_fail "no help window"
owner=$(xprop -id "$help" WM_TRANSIENT_FOR)
[ "${owner##* }" = "$(printf '0x%x' "$game")" ] || xgame_fail "help is not owned by the game $(printf '0x%x' "$game"): $owner"

# start FOLDER BUS: the program in FOLDER, as xgame_launch starts it, on BUS; sets pid and log.
start() { log=$XGAME_TMP/start-$((++starts)).log XGAME_ENV=(DBUS_SESSION_BUS_ADDRESS="$2") && XGAME_LOG=$log xgame_run "$1" && pid=$! others+=" $!"; }
# first_start FOLDER BUS WHEN: a start that opens a window of its own; sets first to its process, new to its window.
first_start() {
    local before=$(xgame_ask windows)
    start "$1" "$2" && first=$pid && new=$(xgame_ask find Tovasel 20 $before) || xgame_fail "$3: no window, $(cat "$log")"
}
# second_start FOLDER BUS WHEN: a start in FOLDER ends at once with 0 and opens no window.
second_start() {
    local began=$(date +%s%N) before=$(xgame_ask windows)
    start "$1" "$2"
    xgame_ended $pid $bound || xgame_fail "$3: a second start still runs after $bound s, windows: $(xgame_ask windows)"
    took+=" $((($(date +%s%N) - began) / 1000000))"
    [ "$XGAME_STATUS" -eq 0 ] || xgame_fail "$3: a second start ended with status $XGAME_STATUS"
    [ "$(xgame_ask windows)" = "$before" ] || xgame_fail "$3: the windows changed from $before to $(xgame_ask windows)"
}

first_start "$XGAME_TMP/other" "$bus" "a copy in another folder" && other=$new
xgame_ask above "$other" "$game" >/dev/null || xgame_fail "the copy started last is not on top"
second_start "$XGAME_TMP" "$bus" "beside another copy"
xgame_until 5 xgame_ask above "$game" "$other" >/dev/null || xgame_fail "the running game was not raised over the other copy"
xgame_until 5 xgame_ask above "$help" "$game" >/dev/null || xgame_fail "help was left under its game"
xgame_until 5 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$help" ]' || xgame_fail "help did not take the keyboard"
xgame_dismiss "$help" || xgame_fail "help did not close"
# A later start that names a child hands the child over: the game plays for her.
XGAME_RUN="./tovasel --child 小红" second_start "$XGAME_TMP" "$bus" "naming a child"
xgame_until 5 eval 'xgame_ask find "Tovasel - 小红" >/dev/null' || xgame_fail "the running game does not play for the child named"
# Practice asked of the running game, for a child with nothing to practise: the parents' window says why.
XGAME_RUN="./tovasel --practice" second_start "$XGAME_TMP" "$bus" "asking for practice"
parents=$(xgame_ask find 学习进度 5) || xgame_fail "practice without weak words did not open the parents' window"
xgame_dismiss "$parents" || xgame_fail "the parents' window did not close"

# replaced PID FOLDER BUS WHEN: once PID is killed, a start in FOLDER opens a window and a second one does not.
replaced() { kill -9 "$1" && wait "$1" 2>/dev/null; first_start "${@:2}" && second_start "${@:2}"; }
replaced "$XGAME_PROGRAM_PID" "$XGAME_TMP" "$bus" "after a copy was killed" && XGAME_PROGRAM_PID=

first_start "$XGAME_TMP/bare" disabled: "without a bus"
# A game played for an hour keeps its place.
touch -d '1 hour ago' "$XGAME_TMP"/runtime/tovasel-*.lock || xgame_fail "no lock in the runtime folder"
second_start "$XGAME_TMP/bare" disabled: "without a bus"
grep -q "already running" "$log" || xgame_fail "a second start without a bus said: $(cat "$log")"
replaced "$first" "$XGAME_TMP/bare" disabled: "without a bus, after a copy was killed"
echo "second starts ended with 0 after$took ms; another folder's copy ran beside; a killed copy's name and lock gave way"
