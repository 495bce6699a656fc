#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A Chinese name typed through ibus's pinyin engine on a D-Bus session of its
# own: "xiaoming" and space commit the first candidate in the leaderboard's
# name box, Enter confirms, and the board's first line holds it in GB18030.
# Usage: input_method_test.sh <tovasel binary> <source folder>
. "$(dirname "$0")/xgame.bash"
xgame_display "$2" && xgame_need dbus-daemon ibus-daemon && xgame_bus
export HOME=$XGAME_TMP/home XDG_CONFIG_HOME=$XGAME_TMP/home/.config XDG_CACHE_HOME=$XGAME_TMP/home/.cache
mkdir -p "$HOME" && { ibus-daemon --replace --panel=disable >"$XGAME_TMP/ibus.log" 2>&1 & }
xgame_at_exit "{ ibus exit || kill $!; wait $!; } >/dev/null 2>&1"
pinyin() { ibus engine libpinyin >/dev/null 2>&1; [ "$(ibus engine 2>/dev/null)" = libpinyin ]; }
xgame_until 10 pinyin || xgame_fail "ibus did not take its pinyin engine"

XGAME_ENV+=(QT_IM_MODULE=ibus HOME="$HOME") && xgame_launch "$1" && xgame_game
xdotool sleep 0.5 type --delay 60 xiaoming && xdotool sleep 0.5 key space sleep 0.3 key Return
xgame_until 20 [ -s "$XGAME_TMP/mirafon1.tmp" ]
first=$(head -n 1 "$XGAME_TMP/mirafon1.tmp" 2>/dev/null)
# libpinyin's first candidate for xiaoming on a new user dictionary: 小名.
[ "$first" = $'\xd0\xa1\xc3\xfb,0\r' ] || xgame_fail "board's first line: $(printf '%s' "$first" | od -An -tx1)"
