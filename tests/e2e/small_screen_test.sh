#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The parents' window (Ctrl+P) on a netbook's and a projector's screen, 800 x
# 600 and 1024 x 600, under xfwm4 with xfce4-panel: its frame lies within the
# panels' free area, the legend of its colours shows, its clear button answers
# a click, and Escape closes it and gives the game back. Screenshots are left
# as e2e-small-screen-<size>.png. Skips where xfwm4 or xfce4-panel is missing.
# Usage: bash small_screen_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
BINARY=$(realpath "$1") SOURCE=$2 OUT=$PWD
xgame_skip_without xfwm4 xfce4-panel dbus-daemon xprop

# numbers XPROP_ARGUMENTS...: the property's first four cardinals.
numbers() { xprop "$@" 2>/dev/null | awk -F' = ' 'NF > 1 {gsub(/,/, "", $2); split($2, n, " "); print n[1], n[2], n[3], n[4]}'; }
# The top panel's strut is in the free area once the desktop is up.
panel_up() { local top && read -r _ top _ <<<"$(numbers -root _NET_WORKAREA)" && [ "${top:-0}" -gt 0 ]; }

screen() {
    local size=$1 shot=$OUT/e2e-small-screen-$1.png progress box
    XGAME_SCREEN=$size && xgame_display "$SOURCE" && xgame_desktop xfwm4 && XGAME_ENV=() # the game without the bus
    xgame_until 40 panel_up && sleep 1 || xgame_fail "$size: xfwm4 and its panel did not start: $(tail -n 3 "$XGAME_TMP/wm.log")"
    xgame_launch "$BINARY"
    progress=$(xgame_parents) || xgame_fail "$size: Ctrl+P opened no parents' window"
    sleep 1 && import -window root "$shot"

    local fx fy fw fh w h x y left right top bottom
    read -r fx fy fw fh <<<"$(numbers -root _NET_WORKAREA)"
    IFS='x+' read -r w h x y <<<"$(xgame_ask geometry "$progress")"
    read -r left right top bottom <<<"$(numbers -id "$progress" _NET_FRAME_EXTENTS)"
    [ -n "$bottom" ] || xgame_fail "$size: xfwm4 gave the parents' window no frame extents"
    local frame="$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))"
    [ $((x - left)) -ge "$fx" ] && [ $((y - top)) -ge "$fy" ] && [ $((x + w + right)) -le $((fx + fw)) ] &&
        [ $((y + h + bottom)) -le $((fy + fh)) ] ||
        xgame_fail "$size: the parents' window's frame $frame leaves the free area ${fw}x$fh+$fx+$fy ($shot)"

    # The legend's swatches, left in the strip under the figures.
    local legend="$((w / 2))x44+$x+$((y + h - 44))" colour
    for colour in 'green:g - max(r, b) > 0.3' 'amber:r > 0.8 && g > 0.5 && g < 0.75 && b < 0.2' \
        'red:r - max(g, b) > 0.5' 'grey:abs(r - g) + abs(g - b) < 0.02 && r > 0.5 && r < 0.62'; do
        [ "$(xgame_fx "$shot" "$legend" "${colour#*:}" '%[fx:round(mean * w * h)]')" -ge 150 ] ||
            xgame_fail "$size: the legend shows no ${colour%%:*} swatch at $legend ($shot)"
    done

    # The clear button, in the strip's right corner, asks first; Escape keeps the record.
    xdotool mousemove --window "$progress" $((w - 58)) $((h - 26)) click 1
    box=$(xgame_ask find 清除记录 10) || xgame_fail "$size: the clear button at the window's corner asked nothing ($shot)"
    xdotool windowfocus "$box" key Escape && xgame_until 10 xgame_gone "$box" || xgame_fail "$size: Escape left the question open"
    xgame_gone "$progress" && xgame_fail "$size: the question took the parents' window with it"

    xdotool windowfocus "$progress" key Escape
    xgame_until 10 xgame_gone "$progress" || xgame_fail "$size: Escape did not close the parents' window"
    # A disabled game takes no Ctrl+P.
    progress=$(xgame_parents) || xgame_fail "$size: the game did not come back after Escape"
}

(screen 800x600) || status=1
(screen 1024x600) || status=1
exit ${status:-0}
