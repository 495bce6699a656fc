# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Full screen under Xvfb at 1920x1080, 3840x2160 and 600x400: the keyboard
# toggles it, the game fills the screen's height as sharp as its drawing, clicks are
# judged in the game's own pixels, the child windows come enlarged over it,
# and the window comes back as it was.
# Usage: bash fullscreen_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
xgame_need rsvg-convert

is_at() { [ "$(xgame_ask geometry "$XGAME_WID")" = "$1" ]; }
# scaled X Y | WxH+X+Y: the screen's point (or area) that the game's window pixels cover.
scaled() { awk -v f="$f" -v l="$left" -v r="$*" 'BEGIN{n = split(r, a, /[ x+]/)
    if (n == 2) printf "%d %d", l + a[1] * f, a[2] * f; else printf "%dx%d+%d+%d", a[1] * f, a[2] * f, l + a[3] * f, a[4] * f}'; }
press() { xdotool mousemove $(scaled ${XGAME_AT[$1]:-$@}) click 1; }
# navy FILE LIFE SHARE: the middle of a life icon is that much navy (the life is lost).
navy() { IFS='x+' read -r _ _ x y <<<"${XGAME_AREA[$2]}" && [ "$(xgame_share "$1" "$(scaled "8x8+$((x + 4))+$((y + 4))")" 'rgb(0,0,128)')" = "$3" ]; }
# marked FILE: the word whose hot-spot's centre is nearest to what changed on
# the figure (at a quarter of the size, quick enough at 4K); no mark is wider than the head's ring.
marked() {
    "$XGAME_IM/convert" "$1" -crop "${side}x${side}+$left+0" +repage -scale 25% "$XGAME_TMP/now.png"
    local box=$("$XGAME_IM/compare" -metric AE -fuzz 15% "$XGAME_TMP/now.png" "$XGAME_TMP/start-quarter.png" -compose src \
        -highlight-color white -lowlight-color black png:- 2>/dev/null | "$XGAME_IM/convert" - -format '%@' info:)
    [ -n "$box" ] && [ "${box%%x*}" -lt "$(awk -v f="$f" 'BEGIN{printf "%d", 150 * f / 4}')" ] || return 1
    awk -v b="$box" -v f="$f" -v s="${XGAME_SPOTS_1[*]}" 'BEGIN{split(b, p, /[x+]/); cx = 4 * (p[3] + p[1] / 2) / f
        cy = 4 * (p[4] + p[2] / 2) / f; n = split(s, r, " "); best = 1e9
        for (i = 0; i < n / 4; i++) { d = ((r[4*i+1] + r[4*i+3]) / 2 - cx) ^ 2 + ((r[4*i+2] + r[4*i+4]) / 2 - cy) ^ 2
            if (d < best) { best = d; w = i } } print w }'
}
# wait_marked FILE [NOT]: waits 5 s for a word marked other than NOT.
wait_marked() {
    local file=$1 not=${2:-} w
    xgame_until 5 eval 'sleep 0.5 && xgame_shot "$file" root && w=$(marked "$file") && [ "$w" != "$not" ]' && echo "$w"
}
# child CAPTION WIDTH HEIGHT: the window opens at its design size times the factor, whole over the game.
child() {
    local w h x y window
    window=$(xgame_ask find "$1" 10) || xgame_fail "no $1 window at $screen"
    IFS='x+' read -r w h x y <<<"$(xgame_ask geometry "$window")"
    awk -v w="$w" -v h="$h" -v f="$f" -v dw="$2" -v dh="$3" 'BEGIN{exit !(w >= int(dw * f) - 1 &&
        w <= dw * f + 1 && h >= int(dh * f) - 1 && h <= dh * f + 1)}' && [ "$x" -ge "$left" ] && [ "$y" -ge 0 ] &&
        [ $((x + w)) -le $((left + side * 619 / 483)) ] && [ $((y + h)) -le "$side" ] ||
        xgame_fail "the $1 window is ${w}x$h+$x+$y at factor $f, not over the game"
    echo "$window"
}

play() { # SCREEN KEY-ON KEY-OFF
    screen=$1 XGAME_SCREEN=$1 && xgame_start "$BINARY" "$SOURCE"
    local window shot="$OUT/e2e-fullscreen-$1" word next x1 y1 x2 y2 edge sy help
    window=$(xgame_ask geometry "$XGAME_WID") && xdotool windowfocus "$XGAME_WID" key "$2"
    xgame_until 20 is_at "$1+0+0" && sleep 0.5 || xgame_fail "$2 did not fill the $1 screen"
    side=${1#*x} f=$(awk -v h="${1#*x}" 'BEGIN{print h / 483}')
    left=$(awk -v w="${1%x*}" -v f="$f" 'BEGIN{printf "%d", (w - int(619 * f + 0.5)) / 2}')

    xgame_shot "$shot-start.png" root && "$XGAME_IM/convert" "$shot-start.png" -crop "${side}x${side}+$left+0" +repage \
        -write "$XGAME_TMP/start.png" -scale 25% "$XGAME_TMP/start-quarter.png"
    rsvg-convert -w "$side" -h "$side" -b white "$SOURCE/tools/art/svg/100.svg" >"$XGAME_TMP/drawn.png"
    psnr=$("$XGAME_IM/compare" -metric PSNR "$XGAME_TMP/start.png" "$XGAME_TMP/drawn.png" null: 2>&1)
    awk -v p="$psnr" 'BEGIN{exit !(p >= 40)}' || xgame_fail "the figure at $1 is not sharp: PSNR $psnr dB"
    [ "$(xgame_share "$shot-start.png" "1x$side+$((left - 1))+0" 'rgb(0,0,128)')" = 1 ] ||
        xgame_fail "the margin left of the game at $1 is not navy"

    press start && word=$(wait_marked "$shot-asked.png") || xgame_fail "no hint at $1"
    press "1.$word"
    next=$(wait_marked "$shot-next.png" "$word") || xgame_fail "the centre of word $word did not score at $1"
    [ "$(xgame_share "$shot-next.png" "$(scaled "${XGAME_AREA[score]}")" 'rgb(255,0,0)')" != 0 ] || xgame_fail "no score at $1"
    # A press is judged as in the window: the last screen column that shows the
    # hot-spot's edge pixel x1 misses, the next one, showing x1 + 1, is inside.
    read -r x1 y1 x2 y2 <<<"${XGAME_SPOTS_1[$next]}" && read -r _ sy <<<"$(scaled "$x1" "$(((y1 + y2) / 2))")"
    edge=$(awk -v f="$f" -v l="$left" -v x="$x1" 'BEGIN{printf "%d", l + int((x + 1) * f + 0.5) - 1}')
    xdotool mousemove "$edge" "$sy" click 1 sleep 1 && xgame_shot "$shot-missed.png" root
    navy "$shot-missed.png" life2 1 || xgame_fail "a press on the screen column $edge showing word $next's edge at $1 did not cost a life"
    xdotool mousemove "$((edge + 1))" "$sy" click 1
    wait_marked "$shot-edge.png" "$next" >/dev/null && navy "$shot-edge.png" life1 0 ||
        xgame_fail "the first column inside word $next did not score at $1"

    press help && help=$(child 帮助 338 288) || exit 1
    xgame_dismiss "$help"
    press miss && child 排行榜 348 371 >/dev/null && xgame_shot "$shot-board.png" root
    xdotool type --delay 20 "kid$1" && xdotool key Return
    xgame_until 20 grep -q "^kid$1," "$XGAME_TMP/mirafon1.tmp" 2>/dev/null || xgame_fail "the name typed at $1 was not kept"
    xdotool sleep 0.5 windowfocus "$XGAME_WID" key "$3"
    xgame_until 20 is_at "$window" || xgame_fail "$3 at $1 did not bring back $window"
    echo "full screen at $1 (factor $f, PSNR $psnr dB): played, missed by one pixel, board and help enlarged"
}

BINARY=$1 SOURCE=$2 OUT=$PWD
(play 1920x1080 F11 ctrl+shift+f) || exit 1
(play 3840x2160 ctrl+shift+f F11) || exit 1
(play 600x400 F11 F11) || exit 1 # smaller than the game: shrunk to fit
