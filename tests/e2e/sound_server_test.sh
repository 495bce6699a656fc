#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The real program under Xvfb against a real PulseAudio server that plays
# into a null sink: a word is heard, the server restarts as a desktop's sound
# service does, and the next word is heard again; a program started before
# its server is heard once the server is up.
# Usage: bash sound_server_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/xgame.bash"

for tool in Xvfb xdotool pulseaudio pactl parec; do
    command -v "$tool" >/dev/null || xgame_fail "$tool is not installed"
done
xgame_display "$2"
# The program's own runtime folder (see xgame_launch) is the server's too.
export XDG_RUNTIME_DIR="$XGAME_TMP/runtime" HOME="$XGAME_TMP/home"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
server=
trap 'server_stop; xgame_stop' EXIT

server_start()
{
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --load="module-null-sink sink_name=kid" \
        --load=module-native-protocol-unix >>"$XGAME_TMP/pulseaudio.log" 2>&1 &
    server=$!
    timeout 10 sh -c 'until pactl info >/dev/null 2>&1; do sleep 0.1; done'
    pactl set-default-sink kid || xgame_fail "the sound server did not start"
}

server_stop()
{
    [ -n "$server" ] && kill "$server" && wait "$server"
    server=
}

# heard STEP X Y: clicks the window at X,Y and fails unless the null sink
# plays a word (a peak above 2000) within the next seconds. A new stream on
# the null sink takes up to two seconds to start.
heard()
{
    local rec="$XGAME_TMP/$1.raw" peak
    parec -d kid.monitor --raw --format=s16le --channels=1 --rate=22050 --latency-msec=50 >"$rec" &
    local recorder=$!
    sleep 0.5
    xgame_click "$2" "$3"
    sleep 4
    kill "$recorder"
    wait "$recorder"
    peak=$(od -An -v -td2 -w2 "$rec" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }')
    echo "$1: peak $peak"
    [ "$peak" -gt 2000 ] || xgame_fail "no word was heard $1"
}

server_start
XGAME_ENV=(SDL_AUDIODRIVER=pulseaudio)
xgame_launch "$1"
heard "at the start of a game" 521 257
server_stop
server_start
heard "after the server restarted" 544 106
xgame_quit 10 || xgame_fail "the program did not end"

# With no driver named SDL falls back to ALSA while the server is down.
server_stop
XGAME_ENV=(SDL_AUDIODRIVER=)
xgame_launch "$1"
xgame_click 521 257
sleep 1
server_start
heard "from a program started before the server" 544 106
