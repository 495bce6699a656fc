# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Full screen under Xvfb at 1920x1080 and 3840x2160: the keyboard toggles it,
# the game fills the screen's height, sharp, clicks are judged in the game's
# own pixels, the child windows come enlarged over it, and the window comes
# back as it was.
# Usage: bash fullscreen_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/xgame.bash"
command -v rsvg-convert >/dev/null || xgame_fail "rsvg-convert is not installed"

geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}'; }
# at X Y: the screen pixel that a point of the game's window pixels falls in.
at() { awk -v f="$f" -v l="$left" -v x="$1" -v y="$2" 'BEGIN{printf "%d %d", l + x * f, y * f}'; }
press() { read -r sx sy <<<"$(at "$1" "$2")" && xdotool mousemove "$sx" "$sy" click 1; }
# area X Y W H: the screen's WxH+X+Y that a rectangle of the game's window pixels covers.
area() { awk -v f="$f" -v l="$left" -v r="$*" 'BEGIN{split(r, a, " ")
    printf "%dx%d+%d+%d", a[3] * f, a[4] * f, l + a[1] * f, a[2] * f}'; }
score_shown() { [ "$(xgame_share "$1" "$(area 560 376 73 25)" 'rgb(255,0,0)')" != 0 ]; }
# The word whose mark the figure shows: the one whose hot-spot's centre is
# nearest to what changed against the figure alone (compared at a quarter
# of the size, which is quick enough at 4K).
marked() {
    "$XGAME_IM/convert" "$1" -crop "${side}x${side}+$left+0" +repage -scale 25% "$XGAME_TMP/now.png"
    local box
    box=$("$XGAME_IM/compare" -metric AE -fuzz 15% "$XGAME_TMP/now.png" "$XGAME_TMP/start-quarter.png" -compose src \
        -highlight-color white -lowlight-color black png:- 2>/dev/null | "$XGAME_IM/convert" - -format '%@' info:)
    # No mark is wider than the head's ring; a window over the figure is.
    [ -n "$box" ] && [ "${box%%x*}" -lt "$(awk -v f="$f" 'BEGIN{printf "%d", 150 * f / 4}')" ] || return 1
    awk -v b="$box" -v f="$f" -v s="${XGAME_SPOTS_1[*]}" 'BEGIN{split(b, p, /[x+]/); cx = 4 * (p[3] + p[1] / 2) / f
        cy = 4 * (p[4] + p[2] / 2) / f; n = split(s, r, " "); best = 1e9
        for (i = 0; i < n / 4; i++) { d = ((r[4*i+1] + r[4*i+3]) / 2 - cx) ^ 2 + ((r[4*i+2] + r[4*i+4]) / 2 - cy) ^ 2
            if (d < best) { best = d; w = i } } print w }'
}
wait_marked() {
    local i w
    for i in $(seq 10); do
        sleep 0.5
        xgame_shot "$1" root
        w=$(marked "$1") && [ "$w" != "${2:-}" ] && echo "$w" && return 0
    done
    return 1
}

play() {
    XGAME_SCREEN=$1
    xgame_start "$BINARY" "$SOURCE"
    local width=${1%x*} height=${1#*x} shot="$OUT/e2e-fullscreen-$1"
    local window
    window=$(geometry "$XGAME_WID")
    xdotool windowfocus "$XGAME_WID" && xdotool key "$2"
    for _ in $(seq 50); do [ "$(geometry "$XGAME_WID")" = "${1}+0+0" ] && break; sleep 0.1; done
    [ "$(geometry "$XGAME_WID")" = "${1}+0+0" ] || xgame_fail "$2 did not fill the $1 screen"
    sleep 0.5
    f=$(awk -v h="$height" 'BEGIN{print h / 483}')
    side=$height
    left=$(awk -v w="$width" -v f="$f" 'BEGIN{printf "%d", (w - int(619 * f + 0.5)) / 2}')

    # The figure fills the height, as sharp as its drawing rendered at that size.
    xgame_shot "$shot-start.png" root
    "$XGAME_IM/convert" "$shot-start.png" -crop "${side}x${side}+$left+0" +repage "$XGAME_TMP/start.png"
    "$XGAME_IM/convert" "$XGAME_TMP/start.png" -scale 25% "$XGAME_TMP/start-quarter.png"
    rsvg-convert -w "$side" -h "$side" -b white "$SOURCE/tools/art/svg/100.svg" >"$XGAME_TMP/drawn.png"
    psnr=$("$XGAME_IM/compare" -metric PSNR "$XGAME_TMP/start.png" "$XGAME_TMP/drawn.png" null: 2>&1)
    awk -v p="$psnr" 'BEGIN{exit !(p >= 40)}' || xgame_fail "the figure at $1 is not sharp: PSNR $psnr dB"
    [ "$(xgame_share "$shot-start.png" "1x$height+$((left - 1))+0" 'rgb(0,0,128)')" = 1 ] ||
        xgame_fail "the margin left of the game at $1 is not navy"

    press 521 257 # the start button
    local word next x1 y1 x2 y2 edge
    word=$(wait_marked "$shot-asked.png") || xgame_fail "no hint at $1"
    score_shown "$shot-asked.png" && xgame_fail "the score is not blank at the start of a game at $1"
    read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$word]}"
    press "$(((x1 + x2) / 2))" "$(((y1 + y2) / 2))"
    next=$(wait_marked "$shot-next.png" "$word") || xgame_fail "the centre of word $word did not score at $1"
    score_shown "$shot-next.png" || xgame_fail "no score after a right answer at $1"

    # The screen column just left of the hot-spot's left edge misses; the
    # next one is inside.
    read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$next]}"
    edge=$(awk -v f="$f" -v l="$left" -v x="$x1" 'BEGIN{print int(l + x * f)}')
    read -r _ sy <<<"$(at "$x1" "$(((y1 + y2) / 2))")"
    xdotool mousemove "$edge" "$sy" click 1
    sleep 1
    xgame_shot "$shot-missed.png" root
    [ "$(xgame_share "$shot-missed.png" "$(area 532 12 8 8)" 'rgb(0,0,128)')" = 1 ] ||
        xgame_fail "a press one pixel left of word $next's hot-spot at $1 did not cost a life"
    xdotool mousemove "$((edge + 1))" "$sy" click 1
    wait_marked "$shot-edge.png" "$next" >/dev/null &&
        [ "$(xgame_share "$shot-edge.png" "$(area 508 12 8 8)" 'rgb(0,0,128)')" = 0 ] ||
        xgame_fail "the first column inside word $next did not score at $1"

    # Help, then the board after a second miss: enlarged, over the game, whole
    # on the screen; a name typed there is kept.
    press 521 305
    local help board
    help=$(xgame_board_window 10 帮助) || xgame_fail "no help window at $1"
    check_child "$help" 338 288 help
    xgame_shot "$shot-help.png" root
    xgame_close "$help"
    sleep 0.5
    press 5 475
    board=$(xgame_board_window) || xgame_fail "no leaderboard at $1"
    check_child "$board" 348 371 leaderboard
    xgame_shot "$shot-board.png" root
    xdotool type --delay 20 "kid$1"
    xdotool key Return
    for _ in $(seq 50); do grep -q "^kid$1," "$XGAME_TMP/mirafon1.tmp" 2>/dev/null && break; sleep 0.1; done
    grep -q "^kid$1," "$XGAME_TMP/mirafon1.tmp" || xgame_fail "the name typed at $1 was not kept"

    sleep 0.5
    xdotool windowfocus "$XGAME_WID" && xdotool key "$3"
    for _ in $(seq 50); do [ "$(geometry "$XGAME_WID")" = "$window" ] && break; sleep 0.1; done
    [ "$(geometry "$XGAME_WID")" = "$window" ] || xgame_fail "$3 at $1 gave $(geometry "$XGAME_WID"), not $window"
    echo "full screen at $1 (factor $f, figure PSNR $psnr dB): played, missed by one pixel, board and help enlarged"
}

# check_child WINDOW WIDTH HEIGHT NAME: the window is the design size times
# the factor, whole on the screen and over the game.
check_child() {
    local g w h x y
    g=$(geometry "$1")
    IFS='x+' read -r w h x y <<<"$g"
    awk -v w="$w" -v h="$h" -v f="$f" -v dw="$2" -v dh="$3" \
        'BEGIN{exit !(w >= int(dw * f) - 1 && w <= dw * f + 1 && h >= int(dh * f) - 1 && h <= dh * f + 1)}' ||
        xgame_fail "the $4 window is $g at factor $f"
    [ "$x" -ge "$left" ] && [ "$y" -ge 0 ] && [ $((x + w)) -le $((left + side * 619 / 483)) ] &&
        [ $((y + h)) -le "$side" ] || xgame_fail "the $4 window at $g is not over the game"
}

BINARY=$1 SOURCE=$2 OUT=$PWD
(play 1920x1080 F11 ctrl+shift+f) || exit 1
(play 3840x2160 ctrl+shift+f F11) || exit 1
