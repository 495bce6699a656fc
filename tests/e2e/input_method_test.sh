#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A Chinese name typed through a real input method: ibus with its pinyin
# engine on a D-Bus session of its own. Two misses end a game; in the
# leaderboard's name box "xiaoming" is typed as pinyin, space commits the
# engine's first candidate and Enter confirms. The board's first line must
# hold those characters in GB18030.
# Usage: input_method_test.sh <tovasel binary> <source folder>
set -uo pipefail
source "$(dirname "$0")/xgame.bash"

xgame_display "$2"
export HOME=$XGAME_TMP/home XDG_CONFIG_HOME=$XGAME_TMP/home/.config XDG_CACHE_HOME=$XGAME_TMP/home/.cache
mkdir -p "$HOME"
ime_stop()
{
    if [ -n "${ibus_pid:-}" ]; then
        ibus exit >/dev/null 2>&1 || kill "$ibus_pid" 2>/dev/null
        wait "$ibus_pid" 2>/dev/null
    fi
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null
    xgame_stop
}
trap ime_stop EXIT
eval "$(dbus-launch --sh-syntax)" || xgame_fail "no D-Bus session"
ibus-daemon --replace --panel=disable >"$XGAME_TMP/ibus.log" 2>&1 &
ibus_pid=$!
for _ in $(seq 100); do
    ibus engine libpinyin >/dev/null 2>&1
    [ "$(ibus engine 2>/dev/null)" = libpinyin ] && break
    sleep 0.1
done
[ "$(ibus engine 2>/dev/null)" = libpinyin ] || xgame_fail "ibus did not take its pinyin engine"

XGAME_ENV=(QT_IM_MODULE=ibus DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" HOME="$HOME")
xgame_launch "$1"
xgame_click 521 257
sleep 1
xgame_click 5 475
sleep 0.6
xgame_click 5 475
xgame_board_window >/dev/null || xgame_fail "no leaderboard after two misses"
sleep 0.5
xdotool type --delay 60 xiaoming
sleep 0.5
xdotool key space
sleep 0.3
xdotool key Return
board=$XGAME_TMP/mirafon1.tmp
for _ in $(seq 50); do
    [ -s "$board" ] && break
    sleep 0.1
done
# libpinyin's first candidate for xiaoming on a new user dictionary: 小名.
expected=$(printf '\xd0\xa1\xc3\xfb,0\r')
first=$(head -n 1 "$board" 2>/dev/null)
[ "$first" = "$expected" ] || xgame_fail "board's first line: $(printf '%s' "$first" | od -An -tx1)"
echo "typed through ibus: $(printf '%s' "${first%,0*}" | iconv -f GB18030 -t UTF-8)"
