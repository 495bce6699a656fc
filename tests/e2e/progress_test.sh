#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What the child knows, on the real program: a game lost by missing its first
# word twice leaves that word asked once and never right at the first click,
# for --progress and for the parents' window (Ctrl+P), where its part shows
# red and a word never asked grey.
# Usage: bash progress_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
. "$(dirname "$0")/xgame.bash"
xgame_start "$1" "$2"
out=$PWD/e2e-progress figure_at=8 # the parents' window shows figure 1 at (8, 8)
name() { awk -F, -v n="$1" '$1 == n { print $2 }' "$2/src/content/hot_spots.csv"; }
# spot FIGURE_PNG OFFSET W: the word's hot-spot cut from a picture of figure 1 at OFFSET.
spot() { read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$3]}" && echo "$((x2 - x1 - 1))x$((y2 - y1 - 1))+$((x1 + 1 + $2))+$((y1 + 1 + $2))"; }
# red PNG AREA: the share of the area's pixels that are clearly red.
red() { "$XGAME_IM/convert" "$1" -crop "$2" +repage -fx '(r - max(g, b)) > 0.4' -format '%[fx:mean]' info:; }
# saturation PNG AREA: the area's mean colour saturation.
saturation() { "$XGAME_IM/convert" "$1" -crop "$2" +repage -colorspace HSL -channel G -separate -format '%[fx:mean]' info:; }

xgame_click 521 257 && word=$(xgame_wait_hint "$XGAME_TMP/asked.png" 1 "" 20) || xgame_fail "no question was asked"
xgame_click 5 475 && sleep 1 && xgame_click 470 10
board=$(xgame_board_window 20) || xgame_fail "no leaderboard after two misses"
xgame_dismiss "$board" || xgame_fail "the leaderboard did not close"
missed=$(name $((101 + word)) "$2")

table=$(XDG_DATA_HOME="$XGAME_TMP/data" "$XGAME_TMP/tovasel" --progress) || xgame_fail "--progress exited $?"
[ "$(grep -c . <<<"$table")" = 20 ] || xgame_fail "--progress listed $(grep -c . <<<"$table") words, not 20"
grep -qx "$missed	1	0" <<<"$table" || xgame_fail "'$missed' is not asked 1, right 0: $(grep "^$missed	" <<<"$table")"
[ "$(grep -c '	0	0$' <<<"$table")" = 19 ] || xgame_fail "other words than '$missed' were counted: $table"

xdotool windowfocus "$XGAME_WID" key ctrl+p
progress=$(xgame_board_window 10 学习进度) || xgame_fail "Ctrl+P opened no progress window"
sleep 0.5 && import -window "$progress" "$out.png"
plain=$(xgame_picture 100)
now=$(red "$out.png" "$(spot "$out.png" $figure_at "$word")") was=$(red "$plain" "$(spot "$plain" 0 "$word")")
[ "$(bc <<<"$now >= $was + 0.15")" = 1 ] || xgame_fail "the part of '$missed' is not red: $now of its spot is red, $was before"
other=$((word == 5 ? 8 : 5)) # the hand, or the shoulder: apart from every other part
now=$(saturation "$out.png" "$(spot "$out.png" $figure_at $other)") was=$(saturation "$plain" "$(spot "$plain" 0 $other)")
[ "$(bc <<<"$now <= 0.6 * $was")" = 1 ] ||
    xgame_fail "the never-asked part of '$(name $((101 + other)) "$2")' is not grey: saturation $now, $was before"
xgame_dismiss "$progress" || xgame_fail "the progress window did not close"
echo "'$missed' missed twice: asked 1, right 0 in --progress, red in the parents' window ($out.png)"
