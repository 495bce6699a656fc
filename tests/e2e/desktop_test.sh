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
. "$(dirname "$0")/xgame.bash"
BINARY=$(realpath "$1") SOURCE=$2 OUT=$PWD
POINTER=${TOVASEL_VIRTUAL_POINTER:-$(dirname "$BINARY")/../tests/virtual_pointer}
xgame_skip_without xfwm4 xfce4-panel mutter openbox sway swaymsg wtype grim dbus-daemon setpriv "$POINTER"
dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null | grep -q 'ok installed' || { echo "SKIP: no qt6-wayland"; exit 77; }

# check WHAT COMMAND...: one fact; a failure is counted and the run goes on.
check() { if "${@:2}"; then echo "ok: $wm: $1"; else echo "FAIL: $wm: $1" >&2; failed=1; fi; }
say() { echo "  $wm: $*" >&2; false; }

# The window system's verbs beyond the harness's, X11's or sway's by XGAME_WS.
x11() { [ "$XGAME_WS" = x11 ]; }
key() { if x11; then xdotool key "$1"; else wtyped -k "$1"; fi; }
focus() { if x11; then xdotool windowactivate --sync "$1"; else swaymsg "[con_id=$1] focus" >/dev/null; fi; }
panels() { if x11; then xgame_ask panels; else echo 1024x30+0+0; fi; } # sway's is the bar of sway.conf
wtyped() { env "${XGAME_ENV[@]}" "${XGAME_AS[@]}" wtype -s 300 "$@"; } # a new keymap swallows the first key at once

# changed BEFORE AFTER AREA FUZZ TEST: the share s of the area's pixels that changed passes TEST (awk).
changed() {
    local s=$(awk -v n="$(xgame_differ "$1" "$2" "$3" -fuzz "$4")" -v g="$3" 'BEGIN{split(g, a, /[x+]/); printf "%.3f", n / (a[1] * a[2])}')
    awk -v s="$s" "BEGIN{exit !($5)}" || say "$s of $3 changed"
}
above() { local why && why=$(xgame_ask above "$@") || say "$why"; }
# is|becomes WANT WHAT COMMAND...: COMMAND prints WANT, now or within 5 s.
is() { local got && got=$("${@:3}") && [ "$got" = "$1" ] || say "$2 $got, not $1"; }
becomes() { local want=$1 what=$2 ask=("${@:3}") && xgame_until 5 eval '[ "$("${ask[@]}")" = "$want" ]' || say "$what $("${ask[@]}"), not $want"; }
settles() { becomes "$1" "the window is at" xgame_ask geometry "$XGAME_WID"; }

# over_game CAPTION NAME: a click on the figure leaves the open child window over the game.
over_game() {
    local child g x y w h cx cy gx gy
    child=$(xgame_ask find "$1" 10) || { xgame_shot "$OUT/e2e-desktop-$wm-$2-missing.png" root; check "$1 opens" false; return 1; }
    sleep 0.5 && g=$(xgame_ask geometry "$child") && IFS='x+' read -r w h x y <<<"$g"
    IFS='x+' read -r _ _ gx gy <<<"$(xgame_ask geometry "$XGAME_WID")" && read -r cx cy <<<"${XGAME_AT[miss]}" && cx=$((gx + cx)) cy=$((gy + cy))
    # The point is clear of the child and its frame, or the click would go to the child.
    [ $cx -lt $((x - 40)) ] || [ $cx -gt $((x + w + 40)) ] || [ $cy -lt $((y - 40)) ] || [ $cy -gt $((y + h + 40)) ] ||
        xgame_fail "$1 at $g covers the game's point ${XGAME_AT[miss]}"
    xgame_shot "$XGAME_TMP/before.png" root && xgame_click miss && sleep 0.7 && xgame_shot "$OUT/e2e-desktop-$wm-$2-over-game.png" root
    # A window mapped again has a new id under sway: the child is found again by its caption.
    child=$(xgame_ask find "$1") || child=0
    check "$1 stays above the game in the stacking order after a click on the game" above "$child" "$XGAME_WID"
    # The child's area shows the same before and after the click, up to a blinking cursor.
    check "$1 still shows after a click on the game" changed "$XGAME_TMP/before.png" "$OUT/e2e-desktop-$wm-$2-over-game.png" "$g" 10% 's < 0.02'
    XGAME_CHILD=$child
}
full_screen() {
    local normal=$(xgame_ask geometry "$XGAME_WID") screen panel
    screen=$(xgame_ask geometry root) && focus "$XGAME_WID" && xgame_shot "$XGAME_TMP/panels.png" root && key F11
    check "F11 sets the window manager's full-screen state" xgame_until 5 xgame_ask full "$XGAME_WID"
    sleep 1 && xgame_shot "$OUT/e2e-desktop-$wm-fullscreen.png" root
    check "full screen fills the whole screen $screen" settles "$screen"
    for panel in $(panels); do
        check "full screen covers the panel at $panel" changed "$XGAME_TMP/panels.png" "$OUT/e2e-desktop-$wm-fullscreen.png" "$panel" 5% 's > 0.8'
    done
    key F11 && check "F11 again gives back the window at $normal" settles "$normal"
}
second_start() {
    local other opid pid
    xgame_run "$XGAME_TMP/other" && opid=$! && other=$(xgame_ask find Tovasel 20 "$XGAME_WID")
    check "a copy for another board opens its own window" [ -n "$other" ]
    # A window manager may still be placing the new window: asked again until it is in front.
    [ -n "$other" ] && xgame_until 5 eval 'focus "$other" && [ "$(xgame_ask active)" = "$other" ]' ||
        xgame_fail "the other board's window could not be brought to the front"
    xgame_run "$XGAME_TMP/game" && pid=$! && xgame_ended $pid 10
    check "a second start for the same board leaves with status 0" [ "$XGAME_STATUS" = 0 ]
    # On Wayland only a token from what started it (a launcher) lets a
    # program come forward; a start from this script brings none.
    x11 && check "a second start brings the first copy's window to the front" becomes "$XGAME_WID" "the front window is" xgame_ask active
    check "a second start opens no window" is 2 "the number of Tovasel windows is" eval 'xgame_ask windows | wc -l'
    kill $pid $opid 2>/dev/null
}

# play: the game on the desktop made, started from its own folder on the desktop's bus.
play() {
    local name=$'\xe5\xb0\x8f\xe6\x98\x8e'kid name_gb=$'\xd0\xa1\xc3\xf7kid' # 小明kid in UTF-8 and GB18030
    XGAME_ENV+=(XDG_DATA_HOME="$HOME/.local/share") && xgame_launch "$BINARY" "$XGAME_TMP/game"
    x11 || check "the window keeps its fixed size" is 619x483 "the window's size is" eval 'xgame_ask geometry "$XGAME_WID" | cut -d+ -f1'
    xgame_click help && over_game 帮助 help && xgame_dismiss "$XGAME_CHILD"
    if x11; then
        xgame_game yes && over_game 排行榜 board && xgame_dismiss "$XGAME_CHILD"
    else # Half the name is typed before the click on the game and half after it, into the box that kept the focus.
        xgame_game yes && focus "$XGAME_BOARD" && wtyped "${name%kid}" && over_game 排行榜 board && wtyped kid -k Return
        check "the name typed around a click on the game and its score reach the board in GB18030" \
            xgame_until 10 eval 'LC_ALL=C grep -aq "^$name_gb,[1-9]" "$XGAME_TMP/game/mirafon1.tmp" 2>/dev/null'
    fi
    full_screen
    second_start
    exit $failed
}

x11_session() { wm=$1 failed=0 XGAME_WS=x11 && xgame_display "$SOURCE" && xgame_desktop "$wm" && play; }
sway_session() {
    wm=sway failed=0 XGAME_WS=sway XGAME_SOURCE=$SOURCE XGAME_TMP=$(mktemp -d) && chmod 711 "$XGAME_TMP" && trap xgame_stop EXIT
    local run=$XGAME_TMP/runtime && export HOME=$XGAME_TMP/home && mkdir -m 700 "$run" "$HOME"
    # sway refuses root: the desktop runs as nobody then, in folders of its own.
    own() { [ "$(id -u)" != 0 ] || chown -R 65534:65534 "$@"; }
    [ "$(id -u)" != 0 ] || xgame_user 65534
    own "$run" "$HOME" && XGAME_PREPARE=own && xgame_bus
    XGAME_ENV+=(QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-1 "XDG_RUNTIME_DIR=$run" "HOME=$HOME")
    # sway's own focus_on_window_activation, as a family has it: a window that
    # asks to come forward is only marked urgent.
    printf '%s\n' 'output * resolution 1024x768' 'xwayland disable' 'default_border none' 'default_floating_border none' \
        'bar {' 'position top' 'height 30' '}' >"$XGAME_TMP/sway.conf"
    env -u DISPLAY "${XGAME_ENV[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${XGAME_AS[@]}" sway -c "$XGAME_TMP/sway.conf" >"$XGAME_TMP/wm.log" 2>&1 &
    xgame_at_exit "kill $!" && xgame_until 20 eval 'SWAYSOCK=$(ls "$run"/sway-ipc.*.sock 2>/dev/null) && export SWAYSOCK &&
        swaymsg -t get_outputs >/dev/null 2>&1' || xgame_fail "sway did not start: $(tail -n 3 "$XGAME_TMP/wm.log")"
    exec {XGAME_POINTER}> >(exec env "${XGAME_ENV[@]}" "${XGAME_AS[@]}" "$POINTER" 1024 768)
    xgame_at_exit 'exec {XGAME_POINTER}>&-' && play
}

for wm in xfwm4 mutter openbox; do (x11_session "$wm") || status=1; done
(sway_session) || status=1
exit ${status:-0}
