# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under Xvfb: a right answer scores, a miss costs one life
# and keeps the question, and the next game starts from a clean figure. The
# window answers the desktop's pings within 100 ms all through a hit's and a
# miss's hold. A game on a healthy machine prints nothing. The desktop's
# language chooses the texts: under Hong Kong's the help opens in traditional
# Chinese, under the mainland's in the source texts, each whole.
# Usage: bash play_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
xgame_start "$1" "$2"
out=$PWD/e2e-play red='rgb(255,0,0)' navy='rgb(0,0,128)' slowest= again= differ=
shown() { [ "$(xgame_share "$1" score "$red")" != 0 ]; }
# answers STEP SECONDS POINT: the window answers the pings within 100 ms for SECONDS after a click at POINT.
answers() { local ms && ms=$(xgame_ping "${@:2}") && [ "$ms" -lt 100 ] && slowest+=" $ms ms in $1" || xgame_fail "the window took $ms ms to answer in $1"; }

xgame_shot "$out-start.png" && xgame_same "$out-start.png" figure "$(xgame_picture 100)" || xgame_fail "the start shows no figure 1"
shown "$out-start.png" || xgame_fail "the score does not show its 0 at start-up"
xgame_click start && word=$(xgame_wait_hint "$out-asked.png" 1) || xgame_fail "no hint after the start button"
shown "$out-asked.png" && xgame_fail "the score is not blank at the start of a game"
answers "a hit's flash and sound" 1.2 "1.$word"
word=$(xgame_wait_hint "$out-asked.png" 1 "$word") || xgame_fail "no next question after the first right answer"

# The right spot, then at once a corner that no hot-spot reaches: that click
# waits for the first one's judging and costs a life.
xgame_click "1.$word" && xgame_click miss
next=$(xgame_wait_hint "$out-after.png" 1 "$word") || xgame_fail "no next question after the right answer"
sleep 1.5 && xgame_shot "$out-after.png" # after the miss sound's hold
shown "$out-after.png" && [ "$(xgame_differ "$out-start.png" "$out-after.png" score)" != 0 ] ||
    xgame_fail "the score does not change after a right answer"
[ "$(xgame_share "$out-after.png" life2 "$navy")" = 1 ] || xgame_fail "the second life still shows after the miss"
[ "$(xgame_share "$out-after.png" life1 "$navy")" != 1 ] || xgame_fail "the first life went too"
[ "$(xgame_hint "$out-after.png" 1)" = "$next" ] || xgame_fail "the question changed with the miss"

# The second miss ends the game with a hint shown. Once the leaderboard is
# closed and the window repainted, the next game's figure equals the picture
# outside its own hint's rectangle.
answers "a miss's sound" 0.6 miss
board=$(xgame_ask find 排行榜 10) || xgame_fail "no leaderboard after the second miss"
xgame_dismiss "$board" && xgame_click start || xgame_fail "the leaderboard did not close"
# The hint's picture may reach a little past its hot-spot: both are masked.
clean() {
    xgame_shot "$out-again.png" && again=$(xgame_hint "$out-again.png" 1) && [ -n "$again" ] && ! shown "$out-again.png" || return 1
    local x1 y1 x2 y2 && read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$again]}" && set -- $("$XGAME_IM/identify" -format '%w %h' "$(xgame_picture $((101 + again)))")
    differ=$(xgame_differ "$out-again.png" "$(xgame_picture 100)" figure -fill black -draw "rectangle $x1,$y1 $x2,$y2" \
        -draw "rectangle $x1,$y1 $((x1 + $1 - 1)),$((y1 + $2 - 1))") && [ "$differ" = 0 ]
}
xgame_until 10 clean || xgame_fail "the next game shows more than the hint of word '$again' ($differ pixels differ)"
[ ! -s "$XGAME_TMP/program.log" ] || xgame_fail "a healthy game printed: $(head -c 600 "$XGAME_TMP/program.log")"

# The help's text ends above its label's last line (8, 8, 313 x 257): none is cut.
xgame_quit 10 || xgame_fail "the game did not end when its window was closed"
for language in zh_HK:說明 zh_CN:帮助; do
    locale=${language%:*} title=${language#*:} && XGAME_ENV=(LANGUAGE= LC_ALL=$locale.UTF-8)
    xgame_launch "$1" "$XGAME_TMP/$locale" && xgame_click help && help=$(xgame_ask find "$title" 10) ||
        xgame_fail "under $locale help did not open as $title"
    sleep 0.5 && import -window "$help" "$out-help-$locale.png"
    [ "$(xgame_share "$out-help-$locale.png" 313x16+8+249 white)" = 1 ] || xgame_fail "the help's text is cut under $locale"
    xgame_dismiss "$help" && xgame_quit 10 || xgame_fail "the game under $locale did not end"
done
echo "word $word right, two misses on word $next, the next game showed only word $again's hint; slowest answers:$slowest; help in both Chinese"
