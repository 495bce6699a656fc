#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The command line answers without a display: --help and --version print and
# exit 0, an unknown option is refused on stderr with status 2, and Qt's own
# options still reach Qt and start the game. --progress over a damaged record
# keeps its good lines, says on stderr where the damaged file is kept, and
# exits 0. A child's name that cannot be kept is refused with status 2.
# Usage: bash command_line_test.sh TOVASEL_BINARY SOURCE_DIR
set -u
binary=$1 version=$(sed -n 's/^project(tovasel VERSION \([0-9.]*\).*/\1/p' "$2/CMakeLists.txt") failed=0 game=
tmp=$(mktemp -d) && trap 'kill $game 2>/dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; failed=1; }
# run STATUS ARGUMENT...: the program without a display must end with STATUS; out and err are what it printed.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$binary" "${@:2}" >"$tmp/out" 2>"$tmp/err"
    local status=$? && out=$(<"$tmp/out") err=$(<"$tmp/err") && [ "$status" = "$1" ] || fail "${*:2} exited $status, not $1"
}

for option in --help -h; do run 0 $option && grep -q -- --version <<<"$out" || fail "$option did not list --version: ${out:0:300}"; done
for option in --version -v; do run 0 $option && [ "$out" = "tovasel $version" ] || fail "$option printed '$out', not 'tovasel $version'"; done
run 2 --bogus
grep -q bogus <<<"$err" || fail "--bogus was not named on stderr: $err"
[ -s "$tmp/out" ] && fail "--bogus printed on stdout: $out"

record=$tmp/data/tovasel/progress.tsv && mkdir -p "${record%/*}"
printf 'tovasel-progress\t1\nbrow\t4\t3\t2026-01-02T03:04:05Z\nchin\t2\tx\t2026-01-02T03:04:05Z\n' >"$record"
XDG_DATA_HOME=$tmp/data run 0 --progress
grep -qx 'brow	4	3' <<<"$out" || fail "--progress lost the good line of a damaged record: $(head -3 <<<"$out")"
grep -q "damaged.*$record.damaged" <<<"$err" || fail "--progress did not say where the damaged record is kept: $err"
cmp -s "$record" "$record.damaged" || fail "the damaged record was not kept aside whole"

# A name that cannot be kept is refused before anything is kept; a child
# unknown to --progress is said.
XDG_DATA_HOME=$tmp/data run 2 --child "$(printf '字%.0s' {1..41})"
grep -q "at most 40 characters" <<<"$err" || fail "a name of 41 characters was not refused as too long: $err"
[ -e "$tmp/data/tovasel/children.json" ] && fail "a refused name changed the children"
XDG_DATA_HOME=$tmp/data run 2 --progress --child 小明
grep -q "no child named 小明" <<<"$err" || fail "--progress for an unknown child did not say so: $err"

# A copy of its own, so that no running game takes the start over.
cp "$binary" "$tmp/tovasel" && { XDG_RUNTIME_DIR=$tmp "$tmp/tovasel" -platform offscreen -style Fusion >"$tmp/err" 2>&1 & }
game=$! && sleep 2 && kill -0 "$game" 2>/dev/null || fail "the game with Qt's own options did not keep running: $(cat "$tmp/err")"
exit "$failed"
