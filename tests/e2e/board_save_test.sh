#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The board under sharing and failure, the real program under Xvfb. Two copies
# play in one folder both users may write (a classroom's shared folder), root
# on one screen and nobody (65534) on another: names confirmed from both
# leaderboards in turn, or from one left open over three games of the other,
# all stay on the board. A save that fails (a read-only board, a full disk)
# keeps the leaderboard open and the old board whole, and the game plays on.
# A folder named in GBK bytes holds its board, for root and for nobody, and
# nothing is written at /. Every game ends with two misses, scoring 0, on a
# board seeded with -1. Usage: bash board_save_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
. "$(dirname "$0")/xgame.bash"
binary=$(readlink -f "$1") at_root=$(ls -ld --full-time /mirafon1.tmp* 2>/dev/null)
[ "$(id -u)" -eq 0 ] || { echo "SKIP: playing as two users and mounting a small disk need root"; exit 77; }
xgame_display "$(cd "$2" && pwd)" && xgame_need setpriv && chmod 755 "$XGAME_TMP"
declare -A disp=([A]=$DISPLAY) wid pid board
n=$((${DISPLAY#:} + 1))
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -noreset -screen 0 1024x768x24 -nolisten tcp >"$XGAME_TMP/xvfb-b.log" 2>&1 &
xvfb_b=$! disp[B]=:$n full=$XGAME_TMP/full
# A board this run put at / goes again, so that a failed run leaves nothing there.
trap 'kill "${pid[@]}" $xvfb_b 2>/dev/null; umount "$full" 2>/dev/null; [ -n "$at_root" ] || rm -f /mirafon1.tmp*; xgame_stop' EXIT
xgame_until 20 [ -e "/tmp/.X11-unix/X$n" ] || xgame_fail "the second Xvfb did not start"

# on COPY: the harness drives copy A (root) or B (nobody) from here on.
on() { copy=$1 DISPLAY=${disp[$1]} XGAME_WID=${wid[$1]:-} XGAME_PROGRAM_PID=${pid[$1]:-} XGAME_BOARD=${board[$1]:-}; }

# start COPY FOLDER [HOME]: starts the program copied into FOLDER as the copy's user.
start()
{
    local home=${3:-$XGAME_TMP/home-$1}
    on "$1" && mkdir -p "$home" && { [ -e "$2/tovasel" ] || cp "$binary" "$2/tovasel"; }
    XGAME_ENV=(HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache")
    XGAME_AS=() XGAME_RUN=./tovasel XGAME_LOG=$XGAME_TMP/$1.log
    if [ "$1" = B ]; then
        mkdir -p -m 700 "$XGAME_TMP/runtime-b" && chown -R 65534:65534 "$home" "$XGAME_TMP/runtime-b"
        XGAME_AS=(setpriv --reuid=65534 --regid=65534 --clear-groups) XGAME_ENV+=(XDG_RUNTIME_DIR="$XGAME_TMP/runtime-b")
    fi
    xgame_launch "$binary" "$2" && wid[$1]=$XGAME_WID pid[$1]=$XGAME_PROGRAM_PID
}
quit() { on "$1" && xgame_quit 20 && unset "pid[$1]" || xgame_fail "copy $1 did not end"; }
game() { xgame_game && board[$copy]=$XGAME_BOARD; }

# seed FILE [OWNER]: ten rows "z,-1", writable by all unless OWNER is given.
seed() { printf 'z,-1\r\n%.0s' {1..10} >"$1" && chmod 666 "$1" && { [ -z "${2:-}" ] || chown "$2" "$1"; }; }

# confirm NAME: types NAME into this copy's leaderboard and presses Enter.
confirm() { xdotool mousemove --window "$XGAME_BOARD" 100 60 click 1 type --delay 20 "$1" && xdotool key Return; }
saved() { confirm "$1" && xgame_until 10 xgame_gone "$XGAME_BOARD" || xgame_fail "$1: the leaderboard of copy $copy stays open"; }
# refused WHAT: the name is not stored, the window stays and then closes, the game plays on.
refused()
{
    confirm Nora && ! xgame_until 2 xgame_gone "$XGAME_BOARD" || xgame_fail "$1: the leaderboard closed over a failed save"
    xgame_dismiss "$XGAME_BOARD" && game && xgame_dismiss "$XGAME_BOARD" || xgame_fail "$1: the game does not play on"
}

# holds FILE NAME...: the board is the names with 0, then the seed's rows.
holds()
{
    local f=$1 && shift
    cmp -s "$f" <([ $# -eq 0 ] || printf '%s,0\r\n' "$@"; printf 'z,-1\r\n%.0s' $(seq $((10 - $#)))) ||
        xgame_fail "board ${f#"$XGAME_TMP"/} lacks names of $*: $(tr '\r\n' ' |' <"$f" 2>&1)"
}

shared=$XGAME_TMP/shared && mkdir -m 777 "$shared" && seed "$shared/mirafon1.tmp"
start A "$shared" && start B "$shared"
echo "== interleaved" && on A && game && on B && game && on A && saved Anna && on B && saved Bert
holds "$shared/mirafon1.tmp" Anna Bert
echo "== stale" && seed "$shared/mirafon1.tmp" && on A && game && on B
for name in Bo Bi Bu; do game && saved "$name"; done
on A && saved Anna && holds "$shared/mirafon1.tmp" Bo Bi Bu Anna
echo "== read-only board" && seed "$shared/mirafon1.tmp" 65534 && chmod 444 "$shared/mirafon1.tmp"
on B && game && refused "read-only board" && holds "$shared/mirafon1.tmp"
quit A && quit B

echo "== full disk" && installed=$XGAME_TMP/installed && mkdir -m 755 "$installed" && mkdir -m 777 "$full" &&
    mount -t tmpfs -o size=256k,mode=777 tmpfs "$full" && mkdir -p "$full/.local/share/tovasel" &&
    seed "$full/.local/share/tovasel/mirafon1.tmp" || xgame_fail "no small disk"
dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null
start B "$installed" "$full" && game && refused "full disk" && holds "$full/.local/share/tovasel/mirafon1.tmp" && quit B

echo "== GBK folder" && gbk=$XGAME_TMP/$'\xd3\xce\xcf\xb7' && mkdir -m 777 "$gbk" && seed "$gbk/mirafon1.tmp"
start A "$gbk" && game && saved Gina && quit A && start B "$gbk" && game && saved Nils && quit B
now_at_root=$(ls -ld --full-time /mirafon1.tmp* 2>/dev/null)
[ "$now_at_root" = "$at_root" ] || xgame_fail "written at /: $now_at_root"
holds "$gbk/mirafon1.tmp" Gina Nils
found=$(find "$XGAME_TMP"/home-? -name mirafon1.tmp) && [ -z "$found" ] || xgame_fail "boards in the users' folders: $found"
echo "board saves: every name kept, failures shown, GBK folder used"
