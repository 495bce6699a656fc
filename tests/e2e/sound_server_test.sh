#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program against a real PulseAudio server playing into a null sink:
# a word is heard, the server restarts as a desktop's sound service does and
# the next word is heard again; a program started before its server is heard
# once the server is up. A server that is stopped (SIGSTOP, as a stuck
# Bluetooth or USB device leaves it) never holds the game: the window keeps
# answering, a hit goes on to the next question, quitting is prompt, and the
# sound comes back when the server continues.
# Usage: bash sound_server_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
xgame_display "$2" && xgame_need pulseaudio pactl parec
export XDG_RUNTIME_DIR="$XGAME_TMP/runtime" HOME="$XGAME_TMP/home" && mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME" # the program's runtime folder too
server= && xgame_at_exit server_stop
server_stop() { [ -z "$server" ] || { kill -CONT "$server" && kill "$server" && wait "$server"; server=; }; }
server_start() {
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=kid" \
        --load=module-native-protocol-unix >>"$XGAME_TMP/pulseaudio.log" 2>&1 & server=$!
    xgame_until 10 pactl info >/dev/null 2>&1 && pactl set-default-sink kid || xgame_fail "the sound server did not start"
}
# launch DRIVER: the program, with SDL's audio DRIVER (none: SDL's own choice).
launch() { XGAME_ENV=(SDL_AUDIODRIVER="$1") && xgame_launch "$BINARY"; }

# heard STEP POINT: a click at POINT must play a word (a peak above 2000) on
# the null sink within 4 s; a new stream there takes up to two seconds to start.
heard() {
    parec -d kid.monitor --raw --format=s16le --channels=1 --rate=22050 --latency-msec=50 >"$XGAME_TMP/rec.raw" &
    sleep 0.5 && xgame_click "$2" && sleep 4
    kill $! && wait $!
    local peak=$(od -An -v -td2 -w2 "$XGAME_TMP/rec.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
    [ "$peak" -gt 2000 ] && echo "$1: peak $peak" || xgame_fail "no word was heard $1 (peak $peak)"
}

BINARY=$1 && server_start && launch pulseaudio
heard "at the start of a game" start
server_stop && server_start
heard "after the server restarted" mascot
xgame_quit 30 || xgame_fail "the program did not end"
server_stop && launch "" # SDL falls back to ALSA while no server runs
xgame_click start && sleep 1 && server_start
heard "from a program started before the server" mascot

# answers STEP SECONDS [POINT]: the window answers within 100 ms for SECONDS after a click at POINT.
answers() {
    local worst=$(xgame_ping "${@:2}")
    [ "$worst" -le 100 ] && echo "$1: answered within $worst ms" || xgame_fail "the window took $worst ms to answer $1"
}
# hit STEP: a right answer's flash and sound hold the game by the clock, not
# by the device: the window answers all through them, and the next question
# follows.
hit() {
    local w=$(xgame_wait_hint "$XGAME_TMP/hit.png" 1 "${word:-}") || xgame_fail "no question before the hit $1"
    word=$w && answers "in a hit $1" 1.2 "1.$w"
    xgame_wait_hint "$XGAME_TMP/hit.png" 1 "$w" 3 >/dev/null || xgame_fail "no next question after the hit $1"
}
xgame_quit 30 || xgame_fail "the program did not end"
launch "" && sleep 0.5 && kill -STOP "$server"
answers "after start with the server stopped" 1 start
answers "after a click on the mascot" 0.5 mascot
xgame_click help && help=$(xgame_ask find 帮助 10) || xgame_fail "help did not open with the server stopped"
answers "with help open" 0.2 && xgame_dismiss "$help"
hit "with the server stopped"
kill -CONT "$server" && heard "after the server continued" mascot
kill -STOP "$server" && hit "on an open device with the server stopped"
# Timed here: xgame_quit's bound counts whole seconds of the shell's clock.
start=$(date +%s%N) && xgame_quit 5 && took=$((($(date +%s%N) - start) / 1000000)) || xgame_fail "the program did not end"
[ "$took" -lt 1000 ] || xgame_fail "the program took $took ms to end with the server stopped, not under 1 s"
[ "$XGAME_STATUS" = 0 ] && echo "quit in $took ms" || xgame_fail "exit status $XGAME_STATUS"
