# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The game under the desktops families use: xfwm4 with xfce4-panel, mutter and
# openbox on Xvfb, and sway with the program native on Wayland. Under each, the help
# and the leaderboard stay over the game when the game is clicked, F11 is the
# window manager's own full screen over the panels and gives back the exact
# place and size, and a second start for the same board leaves with 0, opens
# no window and (on X11) brings the first copy to the front; under sway a right
# click scores and a typed name reaches the board. Every check says ok or FAIL
# and the run goes on; screenshots are left as e2e-desktop-<wm>-*.png.
# Takes about 55 s.
# Usage: bash desktop_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
. "$(dirname "$0")/xgame.bash"
BINARY=$(realpath "$1") SOURCE=$2 OUT=$PWD
POINTER=${TOVASEL_VIRTUAL_POINTER:-$(dirname "$BINARY")/../tests/virtual_pointer}
for tool in xfwm4 xfce4-panel mutter openbox sway swaymsg wtype grim dbus-launch setpriv python3 "$POINTER"; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'ok installed' || { echo "SKIP: no qt6-wayland"; exit 77; }

# check WHAT COMMAND...: one fact; a failure is counted and the run goes on.
check() { if "${@:2}"; then echo "ok: $wm: $1"; else echo "FAIL: $wm: $1" >&2; failed=1; fi; }
say() { echo "  $wm: $*" >&2; false; }

# launch FOLDER: one more copy of the program, started from FOLDER on the
# desktop's session bus; its process in $!.
launch() {
    [ -e "$1/tovasel" ] || { mkdir -p "$1" && cp "$BINARY" "$1/tovasel" && { [ -z "${user:-}" ] || chown -R "$user" "$1"; }; }
    (cd "$1" && exec env -u QT_QPA_PLATFORM "${desktop[@]}" SDL_AUDIODRIVER=dummy \
        "${as_user[@]}" ./tovasel >>"$XGAME_TMP/program.log" 2>&1) &
}
# new_window OLD...: waits for a Tovasel window that is none of OLD and prints it.
new_window() { local w old=$(printf '%s\n' 0 "$@"); xgame_until 20 eval 'w=$(windows | grep -vxF "$old")' && echo "${w%%$'\n'*}"; }

# changed BEFORE AFTER AREA FUZZ: the share of the area's pixels that changed.
changed() {
    "$XGAME_IM/convert" "$1" -crop "$3" +repage "$XGAME_TMP/area-before.png" &&
        "$XGAME_IM/convert" "$2" -crop "$3" +repage "$XGAME_TMP/area-after.png" &&
        "$XGAME_IM/compare" -metric AE -fuzz "$4" "$XGAME_TMP/area-before.png" "$XGAME_TMP/area-after.png" null: 2>&1 |
        awk -v g="$3" '{split(g, s, /[x+]/); printf "%.3f", $1 / (s[1] * s[2])}'
}
# The child's area shows the same before and after the click, up to a blinking cursor.
unchanged() { local share=$(changed "$1" "$2" "$3" 10%); awk -v s="$share" 'BEGIN{exit !(s < 0.02)}' || say "$share of the child's $3 changed"; }
# over_game CAPTION NAME: a click on the figure leaves the open child window over the game.
over_game() {
    local child game g x y w h cx cy
    child=$(xgame_until 10 xgame_find "$1") || { shot "$OUT/e2e-desktop-$wm-$2-missing.png"; check "$1 opens" false; return 1; }
    sleep 0.5 && g=$(geometry "$child") game=$(geometry "$XGAME_WID") && IFS='x+' read -r w h x y <<<"$g"
    IFS='x+' read -r _ _ cx cy <<<"$game" && cx=$((cx + 5)) cy=$((cy + 475))
    # The point is clear of the child and its frame, or the click would go to the child.
    [ $cx -lt $((x - 40)) ] || [ $cx -gt $((x + w + 40)) ] || [ $cy -lt $((y - 40)) ] || [ $cy -gt $((y + h + 40)) ] ||
        xgame_fail "$1 at $g covers the game's point 5,475"
    shot "$XGAME_TMP/before.png" && xgame_click 5 475 && sleep 0.7 && shot "$OUT/e2e-desktop-$wm-$2-over-game.png"
    # A window mapped again has a new id under sway: the child is found again by its caption.
    child=$(xgame_find "$1") || child=0
    check "$1 stays above the game in the stacking order after a click on the game" above "$child" "$XGAME_WID"
    check "$1 still shows after a click on the game" unchanged "$XGAME_TMP/before.png" "$OUT/e2e-desktop-$wm-$2-over-game.png" "$g"
    XGAME_CHILD=$child
}
full_screen() {
    local normal=$(geometry "$XGAME_WID") screen
    screen=$(geometry root) && focus "$XGAME_WID" && shot "$XGAME_TMP/panels.png" && key F11
    check "F11 sets the window manager's full-screen state" xgame_until 5 is_full "$XGAME_WID"
    sleep 1 && shot "$OUT/e2e-desktop-$wm-fullscreen.png"
    check "full screen fills the whole screen $screen" settles "$screen"
    local panel
    for panel in $(panels); do
        check "full screen covers the panel at $panel" covered "$XGAME_TMP/panels.png" "$OUT/e2e-desktop-$wm-fullscreen.png" "$panel"
    done
    key F11 && check "F11 again gives back the window at $normal" settles "$normal"
}
settles() { local want=$1; xgame_until 5 eval '[ "$(geometry "$XGAME_WID")" = "$want" ]' || say "the window is at $(geometry "$XGAME_WID")"; }
fronts() { local want=$1; xgame_until 5 eval '[ "$(active)" = "$want" ]' || say "the front window is $(active), not $want"; }
counts() { [ "$(windows | wc -l)" = "$1" ] || say "there are $(windows | wc -l) Tovasel windows"; }
# covered BEFORE AFTER AREA: few of the panel's pixels are left.
covered() { local share=$(changed "$1" "$2" "$3" 5%); awk -v s="$share" 'BEGIN{exit !(s > 0.8)}' || say "only $share of the panel changed"; }
second_start() {
    local other pid opid status
    launch "$XGAME_TMP/other" && opid=$! && other=$(new_window "$XGAME_WID")
    check "a copy for another board opens its own window" [ -n "$other" ]
    # A window manager may still be placing the new window: asked again until it is in front.
    [ -n "$other" ] && xgame_until 5 eval 'focus "$other" && [ "$(active)" = "$other" ]' ||
        xgame_fail "the other board's window could not be brought to the front"
    launch "$XGAME_TMP/game" && pid=$!
    xgame_until 10 eval '! kill -0 $pid 2>/dev/null' && { wait $pid; status=$?; } || status=running
    check "a second start for the same board leaves with status 0" [ "$status" = 0 ]
    # On Wayland only a token from what started it (a launcher) lets a
    # program come forward; a start from this script brings none.
    [ "$wm" = sway ] || check "a second start brings the first copy's window to the front" fronts "$XGAME_WID"
    check "a second start opens no window" counts 2
    kill $pid $opid 2>/dev/null
}

# The window system's verbs; the sway session replaces them.
windows() { xdotool search --onlyvisible --name '^Tovasel$' 2>/dev/null; }
geometry() { xgame_geometry "$1"; }
# above CHILD GAME: CHILD is later in the bottom-to-top stacking list.
above() {
    local list=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d , | cut -d'#' -f2)
    awk -v l="$list" -v c="$(printf '0x%x' "$1")" -v g="$(printf '0x%x' "$2")" 'BEGIN{n = split(l, a, " ")
        for (i = 1; i <= n; i++) p[a[i]] = i; exit !(p[c] > p[g])}' || say "the stacking is $list"
}
active() { printf '%d' "$(xprop -root _NET_ACTIVE_WINDOW | awk -F'# ' '{sub(/,.*/, "", $2); print $2}')"; }
is_full() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }
# panels: the panels wholly on the screen (a hidden dock leaves a sliver).
panels() {
    local w; for w in $(xdotool search --onlyvisible --class xfce4-panel); do geometry "$w"; done |
        awk -v s="$(geometry root)" '{split($0, p, /[x+]/); split(s, r, /[x+]/)
            if (p[1] >= 8 && p[2] >= 8 && p[3] + p[1] <= r[1] && p[4] + p[2] <= r[2]) print}'
}
shot() { import -window root "$1"; }
key() { xdotool key "$1"; }
focus() { xdotool windowactivate --sync "$1"; }
close() { xgame_dismiss "$1"; }

x11() {
    wm=$1 failed=0 && xgame_display_free "$SOURCE" && export HOME=$XGAME_TMP/home && mkdir -p -m 700 "$HOME" "$XGAME_TMP/runtime" &&
        eval "$(dbus-launch --sh-syntax)" && trap 'kill $DBUS_SESSION_BUS_PID; xgame_stop' EXIT
    desktop=(QT_QPA_PLATFORM=xcb "XDG_RUNTIME_DIR=$XGAME_TMP/runtime" "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS") as_user=()
    case $wm in
    xfwm4) xfwm4 --compositor=off >"$XGAME_TMP/wm.log" 2>&1 & ;;
    mutter) mutter --x11 --replace >"$XGAME_TMP/wm.log" 2>&1 & ;;
    *) "$wm" >"$XGAME_TMP/wm.log" 2>&1 & ;;
    esac
    # A loaded machine has been seen to keep a window manager's start waiting 20 s.
    xgame_until 40 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || xgame_fail "$wm did not start: $(tail -n 3 "$XGAME_TMP/wm.log")"
    if [ "$wm" = xfwm4 ]; then
        xfce4-panel >"$XGAME_TMP/panel.log" 2>&1 &
        xgame_until 20 eval '[ "$(panels | wc -l)" -ge 2 ]' && sleep 1 || xgame_fail "xfce4-panel did not show"
    fi
    launch "$XGAME_TMP/game" && XGAME_PROGRAM_PID=$! XGAME_WID=$(new_window) || xgame_fail "the game did not show"
    sleep 0.5 && xgame_click 521 305 && over_game 帮助 help && close "$XGAME_CHILD"
    xgame_game yes && over_game 排行榜 board && close "$XGAME_CHILD"
    full_screen
    second_start
    exit $failed
}

wayland() {
    wm=sway failed=0 XGAME_SOURCE=$SOURCE XGAME_TMP=$(mktemp -d) && chmod 711 "$XGAME_TMP" && trap stop_sway EXIT
    local run=$XGAME_TMP/runtime name=$'\xe5\xb0\x8f\xe6\x98\x8e'kid # 小明kid
    mkdir -m 700 "$run" "$XGAME_TMP/home" && as_user=() user=
    # sway refuses root: the desktop runs as nobody then.
    [ "$(id -u)" != 0 ] || { user=65534:65534 && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups) &&
        chown "$user" "$run" "$XGAME_TMP/home"; }
    local bus && { read -r bus && read -r bus_pid; } < <("${as_user[@]}" dbus-daemon --session --fork --print-address=1 --print-pid=1)
    desktop=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-1 "XDG_RUNTIME_DIR=$run" "HOME=$XGAME_TMP/home" "DBUS_SESSION_BUS_ADDRESS=$bus")
    # sway's own focus_on_window_activation, as a family has it: a window that
    # asks to come forward is only marked urgent.
    printf '%s\n' 'output * resolution 1024x768' 'xwayland disable' 'default_border none' 'default_floating_border none' \
        'bar {' 'position top' 'height 30' '}' >"$XGAME_TMP/sway.conf"
    env -u DISPLAY "${desktop[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${as_user[@]}" sway -c "$XGAME_TMP/sway.conf" >"$XGAME_TMP/wm.log" 2>&1 &
    sway_pid=$! && xgame_until 20 eval 'SWAYSOCK=$(ls "$run"/sway-ipc.*.sock 2>/dev/null) && export SWAYSOCK &&
        swaymsg -t get_outputs >/dev/null 2>&1' || xgame_fail "sway did not start: $(tail -n 3 "$XGAME_TMP/wm.log")"
    exec {pointer}> >(exec env "${desktop[@]}" "${as_user[@]}" "$POINTER" 1024 768)

    launch "$XGAME_TMP/game" && XGAME_PROGRAM_PID=$! XGAME_WID=$(new_window) || xgame_fail "the game did not show"
    check "the window keeps its fixed size" eval '[ "$(geometry "$XGAME_WID" | cut -d+ -f1)" = 619x483 ] ||
        say "the window is $(geometry "$XGAME_WID")"'
    sleep 0.5 && xgame_click 521 305 && over_game 帮助 help && close "$XGAME_CHILD"
    # Half the name is typed before the click on the game and half after it, into the box that kept the focus.
    xgame_game yes && XGAME_CHILD=$(xgame_until 10 xgame_find 排行榜) && focus "$XGAME_CHILD" && wtyped "${name%kid}" &&
        over_game 排行榜 board && wtyped kid -k Return
    check "the name typed around a click on the game and its score reach the board in GB18030" xgame_until 10 stored $'\xd0\xa1\xc3\xf7kid'
    full_screen
    second_start
    exit $failed
}
stop_sway() {
    exec {pointer}>&- 2>/dev/null
    kill ${XGAME_PROGRAM_PID:-} $sway_pid ${bus_pid:-} 2>/dev/null; wait; rm -rf "$XGAME_TMP"
}
# stored NAME: the board holds NAME with a score above 0 (the one right answer).
stored() { LC_ALL=C grep -a -q "^$1,[1-9]" "$XGAME_TMP/game/mirafon1.tmp" 2>/dev/null; }
wtyped() { env "${desktop[@]}" "${as_user[@]}" wtype -s 300 "$@"; } # a new keymap swallows the first key at once
sway_verbs() {
    # Each window bottom to top: id x y width height focused fullscreen caption.
    tree() {
        swaymsg -t get_tree | python3 -c 'import json, sys
def walk(n):
    if "pid" in n:
        r = n["rect"]; print(n["id"], r["x"], r["y"], r["width"], r["height"], int(n["focused"]), n["fullscreen_mode"], n["name"])
    for c in n["nodes"] + n["floating_nodes"]: walk(c)
walk(json.load(sys.stdin))'
    }
    windows() { tree | awk '$8 == "Tovasel" {print $1}'; }
    xgame_find() { tree | awk -v c="$1" '$8 == c {print $1; f = 1; exit} END {exit !f}'; }
    geometry() {
        [ "$1" = root ] && swaymsg -t get_outputs | python3 -c 'import json, sys
r = json.load(sys.stdin)[0]["rect"]; print("%dx%d+%d+%d" % (r["width"], r["height"], r["x"], r["y"]))' ||
            tree | awk -v w="$1" '$1 == w {print $4 "x" $5 "+" $2 "+" $3}'
    }
    above() { tree | awk -v c="$1" -v g="$2" '{p[$1] = NR} END {exit !(p[c] > p[g])}' || say "the windows are $(tree | tr '\n' ';')"; }
    active() { tree | awk '$6 == 1 {print $1}'; }
    is_full() { tree | awk -v w="$1" '$1 == w && $7 == 1 {f = 1} END {exit !f}'; }
    panels() { echo 1024x30+0+0; } # the bar
    shot() { env "${desktop[@]}" "${as_user[@]}" grim - >"$1"; }
    key() { wtyped -k "$1"; }
    focus() { swaymsg "[con_id=$1] focus" >/dev/null; }
    close() { local w=$1; swaymsg "[con_id=$w] kill" >/dev/null && xgame_until 20 eval '! tree | grep -q "^$w "'; }
    xgame_click() {
        local x y && IFS='x+' read -r _ _ x y <<<"$(geometry "$XGAME_WID")"
        printf 'move %d %d\n' $((x + $1 - 1)) $((y + $2)) >&$pointer && sleep 0.1
        printf 'move %d %d\npress\nrelease\n' $((x + $1)) $((y + $2)) >&$pointer && sleep 0.2
    }
    xgame_shot() { shot "$XGAME_TMP/screen.png" && "$XGAME_IM/convert" "$XGAME_TMP/screen.png" -crop "$(geometry "$XGAME_WID")" +repage "$1"; }
}

(x11 xfwm4) || status=1
(x11 mutter) || status=1
(x11 openbox) || status=1
(sway_verbs && wayland) || status=1
exit ${status:-0}
