#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays a short game of the real program under valgrind's memcheck on Xvfb
# (start, two misses, a name typed in the leaderboard, Enter), closes its
# window so that it ends normally, and sorts the blocks valgrind finds
# definitely or indirectly lost: those whose allocation stack passes through
# the program's own code fail the check; those wholly inside system
# libraries (fontconfig, the X and GL libraries, D-Bus, ICU, ...) are only
# counted.
#
#   scripts/leak-check.sh [BUILD_DIR]   (default build/; a build with -g
#                                        names the program's own frames)
#
# The valgrind report is kept as leak-check.xml in the current folder.
# Takes about a minute or two: the program runs some 20 to 50 times slower.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/tests/e2e/xgame.bash"

build=${1:-$root/build}
binary=$build/src/tovasel
[ -x "$binary" ] || xgame_fail "no program at $binary: build it first"
command -v valgrind >/dev/null || xgame_fail "valgrind is not installed (apt-get install valgrind)"
grep -q __asan_init "$binary" && xgame_fail "$binary is built with AddressSanitizer, which valgrind cannot run"
report=$PWD/leak-check.xml
started=$(date +%s)

xgame_display "$root"
home=$XGAME_TMP/home
mkdir -p "$home"
XGAME_ENV=(HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
           XDG_CACHE_HOME="$home/.cache")
XGAME_AS=(valgrind --tool=memcheck --leak-check=full --show-leak-kinds=all
          --errors-for-leak-kinds=definite,indirect --num-callers=50 --xml=yes --xml-file="$report")
XGAME_WAIT=180
XGAME_LOG=$XGAME_TMP/valgrind.log
xgame_launch "$binary"

xgame_click 521 257 # the start button
xgame_wait_hint "$XGAME_TMP/shot.png" 1 "" 60 >/dev/null || xgame_fail "no question was asked"
sleep 1
xgame_click 5 475
sleep 1
xgame_click 470 10
board=$(xgame_board_window 120) || xgame_fail "no leaderboard after two misses"
sleep 2
xdotool mousemove --window "$board" 100 60 click 1 # into the name box
xdotool type --delay 100 Valgrind
xdotool key Return
for _ in $(seq 300); do
    [ -f "$XGAME_TMP/mirafon1.tmp" ] && head -c 9 "$XGAME_TMP/mirafon1.tmp" | grep -q '^Valgrind' && break
    sleep 0.1
done
head -c 9 "$XGAME_TMP/mirafon1.tmp" 2>/dev/null | grep -q '^Valgrind' || xgame_fail "the name was not written"
sleep 1

xgame_quit 120 || xgame_fail "the program did not end when its window closed"
status=$XGAME_STATUS
echo "program ended with status $status after $(($(date +%s) - started)) s"

# Valgrind's own exit code for leak errors is 0 unless asked; the XML says it all.
# The program's own code is what the executable holds (every library of
# src/ is linked in statically), under the name it ran as; but nearly every
# stack passes through main and the event loop, and through moc's glue
# between Qt's signals and our slots, so those count only when main itself
# asked for the memory.
/usr/bin/python3 - "$report" "$XGAME_TMP/tovasel" <<'EOF'
import collections
import sys
import xml.etree.ElementTree as ET

report, binary = sys.argv[1:]
ALLOCATORS = ("malloc", "calloc", "realloc", "operator new", "operator new[]", "memalign", "posix_memalign")


def own(frame):
    fn, file = frame.findtext("fn") or "", frame.findtext("file") or ""
    return (frame.findtext("obj") == binary and fn != "main" and not file.startswith(("moc_", "qrc_"))
            and "qt_static_metacall" not in fn and "qt_metacall" not in fn)


KINDS = {"Leak_DefinitelyLost": "definitely lost", "Leak_IndirectlyLost": "indirectly lost",
         "Leak_PossiblyLost": "possibly lost", "Leak_StillReachable": "still reachable"}
totals = collections.Counter()
ours = collections.Counter()
system = collections.Counter()
for error in ET.parse(report).getroot().iter("error"):
    kind = KINDS.get(error.findtext("kind"))
    if not kind:
        continue
    what = error.find("xwhat")
    size, blocks = int(what.findtext("leakedbytes")), int(what.findtext("leakedblocks"))
    frames = error.find("stack").findall("frame")
    totals[kind, "bytes"] += size
    totals[kind, "blocks"] += blocks
    if kind not in ("definitely lost", "indirectly lost"):
        continue
    callers = [f for f in frames if not (f.findtext("fn") or "").startswith(ALLOCATORS)]
    mine = [f for f in frames if own(f)]
    if callers and callers[0].findtext("obj") == binary and callers[0].findtext("fn") == "main":
        mine = callers[:1]
    if mine:
        where = f"{mine[0].findtext('fn')} ({mine[0].findtext('file')}:{mine[0].findtext('line')})"
        ours[kind, where] += blocks
        totals[kind, "our bytes"] += size
        totals[kind, "our blocks"] += blocks
    else:
        lib = (callers[0].findtext("obj") or "?") if callers else "?"
        system[kind, lib.rsplit("/", 1)[-1]] += blocks

for kind in ("definitely lost", "indirectly lost"):
    print(f"{kind}: {totals[kind, 'bytes']} bytes in {totals[kind, 'blocks']} blocks, of which "
          f"{totals[kind, 'our bytes']} bytes in {totals[kind, 'our blocks']} blocks through the program's own code")
for kind in ("possibly lost", "still reachable"):
    print(f"{kind}: {totals[kind, 'bytes']} bytes in {totals[kind, 'blocks']} blocks (not judged)")
for (kind, lib), blocks in sorted(system.items()):
    print(f"  system, {kind}: {blocks} blocks allocated in {lib}")
for (kind, where), blocks in sorted(ours.items()):
    print(f"OURS, {kind}: {blocks} blocks allocated through {where}")
sys.exit(1 if ours else 0)
EOF
verdict=$?
[ "$status" -eq 0 ] || xgame_fail "the program ended with status $status"
[ "$verdict" -eq 0 ] || xgame_fail "memory lost through the program's own code (report: $report)"
echo "no leak through the program's own code (report: $report, $(($(date +%s) - started)) s)"
