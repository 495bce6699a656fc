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
# nothing is written at /. A classroom: a teacher (1234) plays first, then a
# pupil (nobody) and root, in folders open to all (0777), to a group (2775)
# and to all with the sticky bit (1777); every name is stored. A teacher's
# board left by an older game (0644) takes a pupil's name where the folder
# allows it, and is left alone where it does not, saying so on stderr. Links
# planted in place of the board, its lock and the record are never written
# through. Games end with two misses, scoring 0 on a board seeded with -1,
# or after a first right answer where a board's zeros must be beaten.
# Usage: bash board_save_test.sh TOVASEL_BINARY SOURCE_DIR
. "$(dirname "$0")/xgame.bash"
binary=$(readlink -f "$1") at_root=$(ls -ld --full-time /mirafon1.tmp* 2>/dev/null) class=1500
[ "$(id -u)" -eq 0 ] || { echo "SKIP: playing as two users and mounting a small disk need root"; exit 77; }
xgame_display "$(cd "$2" && pwd)" && xgame_need setpriv && chmod 755 "$XGAME_TMP" && xgame_xvfb # copy B's screen
declare -A disp=([A]=$DISPLAY [B]=$XGAME_DISPLAY [C]=$DISPLAY) wid pid board uid=([A]=0 [B]=65534 [C]=1234)
full=$XGAME_TMP/full
# A board this run put at / goes again, so that a failed run leaves nothing there.
xgame_at_exit 'kill "${pid[@]}" 2>/dev/null; umount "$full" 2>/dev/null; [ -n "$at_root" ] || rm -f /mirafon1.tmp*'

# on COPY: the harness drives copy A (root), B (nobody) or C (the teacher) from here on.
on() { copy=$1 DISPLAY=${disp[$1]} XGAME_WID=${wid[$1]:-} XGAME_PROGRAM_PID=${pid[$1]:-} XGAME_BOARD=${board[$1]:-}; }
# start COPY FOLDER [HOME]: starts the program copied into FOLDER as the copy's user.
start() {
    local home=${3:-$XGAME_TMP/home-$1}
    on "$1" && mkdir -p "$home" && XGAME_ENV=() XGAME_AS=() XGAME_LOG=$XGAME_TMP/$1.log && xgame_home "$home"
    [ "${uid[$1]}" = 0 ] || xgame_user "${uid[$1]}" "$class" "$home"
    xgame_launch "$binary" "$2" && wid[$1]=$XGAME_WID pid[$1]=$XGAME_PROGRAM_PID
}
quit() { on "$1" && xgame_quit 20 && unset "pid[$1]" || xgame_fail "copy $1 did not end"; }
game() { xgame_game "$@" && board[$copy]=$XGAME_BOARD; }

# seed FILE [OWNER]: ten rows "z,-1", writable by all unless OWNER is given.
seed() { printf 'z,-1\r\n%.0s' {1..10} >"$1" && chmod 666 "$1" && { [ -z "${2:-}" ] || chown "$2" "$1"; }; }
# teacher_board ROW FILE: the teacher writes ten rows ROW into FILE, with the usual umask.
teacher_board() { setpriv --reuid=1234 --regid=1234 --clear-groups sh -c 'umask 022 && printf "$1\r\n%.0s" 1 2 3 4 5 6 7 8 9 10 >"$2"' sh "$@"; }

saved() { xgame_name "$1" && xgame_until 10 xgame_gone "$XGAME_BOARD" || xgame_fail "$1: the leaderboard of copy $copy stays open"; }
# refused WHAT [WARNING]: the name is not stored, the window stays (the log warns
# of WARNING) and then closes, the game plays on.
refused() {
    xgame_refused Nora || xgame_fail "$1: the leaderboard closed over a failed save"
    [ -z "${2:-}" ] || grep -q "^tovasel.board: .*$2" "$XGAME_TMP/$copy.log" || xgame_fail "$1: no warning '$2': $(cat "$XGAME_TMP/$copy.log")"
    xgame_dismiss "$XGAME_BOARD" && game && xgame_dismiss "$XGAME_BOARD" || xgame_fail "$1: the game does not play on"
}
# lists FILE NAME...: each name is on the ten-line board, with its score.
lists() {
    local f=$1 name && shift
    [ "$(grep -c $'\r$' "$f")" = 10 ] || xgame_fail "${f#"$XGAME_TMP"/} is not ten lines: $(tr '\r\n' ' |' <"$f")"
    for name; do grep -q "^$name,[1-9]" "$f" || xgame_fail "${f#"$XGAME_TMP"/} lacks $name: $(tr '\r\n' ' |' <"$f")"; done
}
# holds FILE NAME...: the board is the names with 0, then the seed's rows.
holds() {
    local f=$1 && shift
    cmp -s "$f" <([ $# -eq 0 ] || printf '%s,0\r\n' "$@"; printf 'z,-1\r\n%.0s' $(seq $((10 - $#)))) ||
        xgame_fail "board ${f#"$XGAME_TMP"/} lacks names of $*: $(tr '\r\n' ' |' <"$f" 2>&1)"
}

shared=$XGAME_TMP/shared && mkdir -m 777 "$shared" && seed "$shared/mirafon1.tmp"
start A "$shared" && start B "$shared"
on A && game && on B && game && on A && saved Anna && on B && saved Bert
holds "$shared/mirafon1.tmp" Anna Bert
seed "$shared/mirafon1.tmp" && on A && game && on B
for name in Bo Bi Bu; do game && saved "$name"; done
on A && saved Anna && holds "$shared/mirafon1.tmp" Bo Bi Bu Anna
seed "$shared/mirafon1.tmp" 65534 && chmod 444 "$shared/mirafon1.tmp"
on B && game && refused "read-only board" && holds "$shared/mirafon1.tmp"
quit A && quit B

installed=$XGAME_TMP/installed && mkdir -m 755 "$installed" && mkdir -m 777 "$full" &&
    mount -t tmpfs -o size=256k,mode=777 tmpfs "$full" && mkdir -p "$full/.local/share/tovasel" &&
    seed "$full/.local/share/tovasel/mirafon1.tmp" || xgame_fail "no small disk"
dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null
start B "$installed" "$full" && game && refused "full disk" && holds "$full/.local/share/tovasel/mirafon1.tmp" && quit B

gbk=$XGAME_TMP/$'\xd3\xce\xcf\xb7' && mkdir -m 777 "$gbk" && seed "$gbk/mirafon1.tmp"
start A "$gbk" && game && saved Gina && quit A && start B "$gbk" && game && saved Nils && quit B
[ "$(ls -ld --full-time /mirafon1.tmp* 2>/dev/null)" = "$at_root" ] || xgame_fail "written at /: $(ls -ld /mirafon1.tmp*)"
holds "$gbk/mirafon1.tmp" Gina Nils

umask 022
# The teacher's board is writable for those the folder lets in.
declare -A pupil=([A]=Rita [B]=Nils [C]=Tina) board_mode=([0777]=666 [2775]=664 [1777]=666)
for mode in 0777 2775 1777; do
    room=$XGAME_TMP/room-$mode && mkdir "$room" && chgrp "$class" "$room" && chmod "$mode" "$room"
    for c in C B A; do
        start "$c" "$room" && game yes && saved "${pupil[$c]}$mode" && quit "$c" && perm=$(stat -c %a "$room/mirafon1.tmp")
        [ "$c" != C ] || [ "$perm" = "${board_mode[$mode]}" ] || xgame_fail "the teacher's board in a $mode folder is $perm, not ${board_mode[$mode]}"
    done
    lists "$room/mirafon1.tmp" Tina$mode Nils$mode Rita$mode
done

for mode in 0777 1777; do
    old=$XGAME_TMP/old-$mode && mkdir -m "$mode" "$old" && teacher_board z,-1 "$old/mirafon1.tmp" || xgame_fail "no older board"
    before=$(cat "$old/mirafon1.tmp") && start B "$old" && game yes
    if [ "$mode" = 0777 ]; then saved Olga && lists "$old/mirafon1.tmp" Olga; else
        refused "another user's board in a sticky folder" "mirafon1.tmp: this user may not write it"
        [ "$(cat "$old/mirafon1.tmp")" = "$before" ] || xgame_fail "another user's board in a sticky folder changed"
    fi && quit B
done

victims=$XGAME_TMP/victims links=$XGAME_TMP/links home=$XGAME_TMP/home-links
mkdir -m 755 "$victims" && mkdir -m 777 "$links" && mkdir -p "$home/.local/share/tovasel" && chown 1234:1234 "$victims"
declare -A link=([board]=$links/mirafon1.tmp [lock]=$links/mirafon1.tmp.lock [record]=$home/.local/share/tovasel/progress.tsv)
for v in "${!link[@]}"; do teacher_board V,5 "$victims/$v.txt" && ln -s "$victims/$v.txt" "${link[$v]}"; done
cp -a "$victims" "$XGAME_TMP/victims-before"
start A "$links" "$home" && game yes && refused "a board that is a link" "mirafon1.tmp: a link stands in its place" && quit A
diff -r "$XGAME_TMP/victims-before" "$victims" >/dev/null || xgame_fail "a link was written through: $(cat "$victims"/*)"
for v in "${!link[@]}"; do [ -L "${link[$v]}" ] || xgame_fail "${link[$v]#"$XGAME_TMP"/} is no longer a link"; done

found=$(find "$XGAME_TMP"/home-? -name mirafon1.tmp) && [ -z "$found" ] || xgame_fail "boards in the users' folders: $found"
