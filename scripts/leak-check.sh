#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A short game of the real program under valgrind's memcheck on Xvfb (two
# misses, a name typed, the window closed): blocks definitely or indirectly
# lost through the program's own code fail it; those wholly inside system
# libraries are only counted. The report is kept as leak-check.xml here.
#   scripts/leak-check.sh [BUILD_DIR]   (default build/; exits 77 for a sanitizer build)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/tests/e2e/xgame.bash"
binary=${1:-$root/build}/src/tovasel report=$PWD/leak-check.xml
[ -x "$binary" ] || xgame_fail "no program at $binary: build it first"
grep -q __asan_init "$binary" && echo "skipped: valgrind cannot run a sanitizer build" && exit 77
xgame_need valgrind && xgame_display "$root"
xgame_home "$XGAME_TMP/home"
XGAME_AS=(valgrind --tool=memcheck --suppressions="$root/tests/support/valgrind.supp" --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=definite,indirect --num-callers=50 --xml=yes --xml-file="$report")
XGAME_WAIT=180 && xgame_launch "$binary" && xgame_game
XGAME_TYPE_DELAY=100 xgame_name Valgrind
xgame_until 30 eval 'head -c 9 "$XGAME_TMP/mirafon1.tmp" 2>/dev/null | grep -q ^Valgrind' || xgame_fail "the name was not written"
xgame_quit 120 && [ "$XGAME_STATUS" -eq 0 ] || xgame_fail "the program did not end with 0 when its window closed: $XGAME_STATUS"

# The program's own code is what the executable holds (src/ links in
# statically), but nearly every stack passes through main, the event loop and
# moc's glue: those count only when main itself asked for the memory.
/usr/bin/python3 - "$report" "$XGAME_TMP/tovasel" <<'PY'
import collections, sys, xml.etree.ElementTree as ET
report, binary = sys.argv[1:]
text = lambda f, tag: f.findtext(tag) or ""
own = lambda f: (text(f, "obj") == binary and text(f, "fn") != "main" and not text(f, "file").startswith(("moc_", "qrc_"))
                 and "metacall" not in text(f, "fn"))  # qt_metacall, qt_static_metacall
lost, ours = collections.Counter(), collections.Counter()
for error in ET.parse(report).getroot().iter("error"):
    if (kind := text(error, "kind")) not in ("Leak_DefinitelyLost", "Leak_IndirectlyLost"):
        continue
    blocks, frames = int(error.find("xwhat").findtext("leakedblocks")), error.find("stack").findall("frame")
    callers = [f for f in frames if not text(f, "fn").startswith(("malloc", "calloc", "realloc", "operator new", "memalign", "posix_memalign"))]
    mine = callers[:1] if callers and text(callers[0], "obj") == binary and text(callers[0], "fn") == "main" else [f for f in frames if own(f)]
    where = f"OURS: {text(mine[0], 'fn')} ({text(mine[0], 'file')}:{text(mine[0], 'line')})" if mine else \
        "system: " + (text(callers[0], "obj") if callers else "?").rsplit("/", 1)[-1]
    (ours if mine else lost)[kind[5:], where] += blocks
for (kind, where), blocks in sorted((lost + ours).items()):
    print(f"{kind}, {blocks} blocks allocated in {where}")
sys.exit(1 if ours else 0)
PY
[ $? -eq 0 ] && echo "no leak through the program's own code (report: $report)" ||
    xgame_fail "memory lost through the program's own code (report: $report)"
