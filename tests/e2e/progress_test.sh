#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What the child knows, on the real program: a game lost by missing its first
# word twice leaves that word asked once and never right at the first click,
# for --progress and for the parents' window (Ctrl+P), where its part shows
# red and a word never asked grey. The record kept before there were children
# is the first child's; a second child's games are kept apart from it. Her
# practice game asks her one weak word, the one she missed, with its hint,
# and ends at its right answer without a leaderboard.
# Usage: bash progress_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
xgame_display "$2"
# tovasel ARGS...: the program's answer on the command line, as the game's user.
tovasel() { LC_ALL=C.UTF-8 XDG_DATA_HOME="$XGAME_TMP/data" "$XGAME_TMP/tovasel" "$@"; }
mkdir -p "$XGAME_TMP/data/tovasel" && printf 'tovasel-progress\t1\nnose\t4\t1\t2026-01-02T03:04:05Z\n' >"$XGAME_TMP/data/tovasel/progress.tsv"
xgame_launch "$1"
xgame_ask find "Tovasel - 小朋友" >/dev/null || xgame_fail "the title does not name the first child"
out=$PWD/e2e-progress.png plain=$(xgame_picture 100)
figure_at="8 44" at_0="0 0" # the parents' window shows figure 1 at (8, 44), under the children's bar
# spot X Y W: the word's hot-spot, inside its edges, on a picture of figure 1 at (X, Y).
spot() { read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$3]}" && echo "$((x2 - x1 - 1))x$((y2 - y1 - 1))+$((x1 + 1 + $1))+$((y1 + 1 + $2))"; }
red() { xgame_fx "$1" "$(spot "$2" "$3" "$4")" '(r - max(g, b)) > 0.4'; } # PNG X Y W: the share of the spot clearly red
# saturation PNG X Y W: the spot's mean colour saturation.
saturation() { "$XGAME_IM/convert" "$1" -crop "$(spot "$2" "$3" "$4")" +repage -colorspace HSL -channel G -separate -format '%[fx:mean]' info:; }

xgame_game && word=$XGAME_WORD missed=${XGAME_WORDS_1[$XGAME_WORD]} # two misses on the first word
xgame_dismiss "$XGAME_BOARD" || xgame_fail "the leaderboard did not close"
table=$(tovasel --progress) || xgame_fail "--progress exited $?"
[ "$(grep -c . <<<"$table")" = 20 ] || xgame_fail "--progress listed $(grep -c . <<<"$table") words, not 20"
grep -qx "$missed	1	0" <<<"$table" || xgame_fail "'$missed' is not asked 1, right 0: $(grep "^$missed	" <<<"$table")"
grep -qx "nose	4	1" <<<"$table" || xgame_fail "the record kept before there were children is not the first child's: $table"
[ "$(grep -c '	0	0$' <<<"$table")" = 18 ] || xgame_fail "other words than '$missed' were counted: $table"

progress=$(xgame_parents) || xgame_fail "Ctrl+P opened no progress window"
sleep 0.5 && import -window "$progress" "$out"
now=$(red "$out" $figure_at "$word") was=$(red "$plain" $at_0 "$word")
[ "$(bc <<<"$now >= $was + 0.15")" = 1 ] || xgame_fail "the part of '$missed' is not red: $now of its spot is red, $was before"
other=$((word == 5 ? 8 : 5)) # the hand, or the shoulder: apart from every other part
now=$(saturation "$out" $figure_at $other) was=$(saturation "$plain" $at_0 $other)
[ "$(bc <<<"$now <= 0.6 * $was")" = 1 ] ||
    xgame_fail "the never-asked part of '${XGAME_WORDS_1[$other]}' is not grey: saturation $now, $was before"
xgame_dismiss "$progress" || xgame_fail "the progress window did not close"

# A second child, named on the command line: her games are hers alone.
xgame_quit 10 || xgame_fail "the game did not end"
XGAME_RUN="./tovasel --child 小红" xgame_launch "$1"
xgame_ask find "Tovasel - 小红" >/dev/null || xgame_fail "the title does not name 小红"
xgame_game yes && xgame_dismiss "$XGAME_BOARD" || xgame_fail "the leaderboard did not close"
[ "$(tovasel --children)" = $'小朋友\n小红' ] || xgame_fail "the children are not 小朋友 and 小红: $(tovasel --children)"
hers=$(tovasel --progress) # she played last
[ "$(grep -c '	1	1$' <<<"$hers")$(grep -c '	1	0$' <<<"$hers")$(grep -c '	0	0$' <<<"$hers")" = 1118 ] ||
    xgame_fail "小红's table is not one word right, one missed, the others never asked: $hers"
[ "$(tovasel --progress --child 小朋友)" = "$table" ] || xgame_fail "小红's game changed the first child's record"

# Her practice: the word she missed, alone.
weak=$(grep '	1	0$' <<<"$hers" | cut -f1)
xgame_quit 10 || xgame_fail "the game did not end"
XGAME_RUN="./tovasel --practice" xgame_launch "$1"
asked=$(xgame_wait_hint "$XGAME_TMP/practice.png" 1 "" 20) || xgame_fail "practice showed no hint"
[ "${XGAME_WORDS_1[$asked]}" = "$weak" ] || xgame_fail "practice asked '${XGAME_WORDS_1[$asked]}', not the weak '$weak'"
xgame_click "1.$asked"
xgame_until 10 eval 'tovasel --progress | grep -qx "$weak	2	1"' || xgame_fail "practice did not end at its one right answer, or its answer was not kept"
xgame_ask find 排行榜 2 >/dev/null && xgame_fail "practice opened the leaderboard"
xgame_quit 10 && xgame_clean "$XGAME_TMP/program.log" || xgame_fail "the game did not end cleanly after practice"
