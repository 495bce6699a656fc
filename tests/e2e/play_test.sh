# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under Xvfb: start a game, answer one question right by its
# hint and one wrong, and check what the window shows after each.
# Usage: bash play_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/xgame.bash"

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || xgame_fail "$tool is not installed"
done
xgame_start "$1" "$2"
out=$PWD

score=73x25+560+376
second_life=16x16+528+8
first_life=16x16+504+8
red='rgb(255,0,0)'
navy='rgb(0,0,128)'

xgame_shot "$out/e2e-play-start.png"
xgame_same "$out/e2e-play-start.png" 483x483+0+0 "$(xgame_picture 100)" ||
    xgame_fail "the start-up window does not show figure 1"
[ "$(xgame_share "$out/e2e-play-start.png" "$score" "$red")" != 0 ] ||
    xgame_fail "the score does not show its 0 at start-up"

xgame_click 521 257 # the start button
word=$(xgame_wait_hint "$out/e2e-play-asked.png" 1) ||
    xgame_fail "no hint appeared on figure 1 after the start button"
[ "$(xgame_share "$out/e2e-play-asked.png" "$score" "$red")" = 0 ] ||
    xgame_fail "the score is not blank at the start of a game"

# The right spot, then at once a corner of the figure that no hot-spot
# reaches: that click waits for the first one's judging and costs a life.
read -r x y <<<"$(xgame_centre 1 "$word")"
xgame_click "$x" "$y"
xgame_click 5 475

next=$(xgame_wait_hint "$out/e2e-play-after.png" 1 "$word") ||
    xgame_fail "no next question was asked after the right answer to word $word"
sleep 1.5 # the miss sound holds the window
xgame_shot "$out/e2e-play-after.png"

[ "$(xgame_share "$out/e2e-play-after.png" "$score" "$red")" != 0 ] ||
    xgame_fail "the score is still blank after a right answer"
"$XGAME_IM/convert" "$out/e2e-play-start.png" -crop "$score" +repage "$XGAME_TMP/score0.png"
xgame_same "$out/e2e-play-after.png" "$score" "$XGAME_TMP/score0.png" &&
    xgame_fail "the score still reads 0 after a right answer"
[ "$(xgame_share "$out/e2e-play-after.png" "$second_life" "$navy")" = 1 ] ||
    xgame_fail "the second life icon still shows after the miss"
[ "$(xgame_share "$out/e2e-play-after.png" "$first_life" "$navy")" != 1 ] ||
    xgame_fail "the first life icon went too"
[ "$(xgame_hint "$out/e2e-play-after.png" 1)" = "$next" ] ||
    xgame_fail "the question changed with the miss"

# The second miss loses the game with the hint of word $next still shown; the
# next game starts from a clean figure that shows only its own hint.
xgame_click 5 475
board=$(xgame_board_window) || xgame_fail "no leaderboard after the second miss"
xgame_close "$board"
for _ in $(seq 50); do
    xgame_board_window 0 >/dev/null || break
    sleep 0.1
done
xgame_board_window 0 >/dev/null && xgame_fail "the leaderboard did not close"
xgame_click 521 257

# Whether the shot shows a new game (blank score) whose figure equals the clean
# picture outside the rectangle of the word it asks.
new_game_is_clean()
{
    again=$(xgame_hint "$1" 1)
    [ -n "$again" ] && [ "$(xgame_share "$1" "$score" "$red")" = 0 ] || return 1
    local f
    for f in "$1" "$(xgame_picture 100)"; do
        "$XGAME_IM/convert" "$f" -crop 483x483+0+0 +repage -fill black \
            -draw "rectangle $(tr ' ' , <<<"${XGAME_SPOTS_1[$again]}" | sed 's/,/ /2')" \
            "$XGAME_TMP/masked-$(basename "$f")"
    done
    differ=$("$XGAME_IM/compare" -metric AE "$XGAME_TMP/masked-$(basename "$1")" \
        "$XGAME_TMP/masked-100.png" null: 2>&1)
    [ "$differ" = 0 ]
}

# The window may take a moment to repaint where the leaderboard was; a figure
# that keeps an old hint never becomes clean.
again= differ=
for _ in $(seq 25); do
    xgame_shot "$out/e2e-play-again.png"
    new_game_is_clean "$out/e2e-play-again.png" && break
    sleep 0.2
done
[ -n "$again" ] || xgame_fail "no hint with a blank score in the next game"
[ "$differ" = 0 ] ||
    xgame_fail "the figure of the next game shows more than the hint of word $again ($differ pixels differ)"

echo "played word $word right, missed twice on word $next, and the next game showed only the hint of word $again; screenshots in $out"
