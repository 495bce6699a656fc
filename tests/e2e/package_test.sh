#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package and checks what it installs and what it needs.
# Usage: package_test.sh <tovasel binary> <source folder>
set -euo pipefail
binary=$1
source=$2
build=$(cd "$(dirname "$binary")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# The component id names the desktop entry and the metainfo, and the program
# says it is that entry (Qt keeps the name as UTF-16). Debian's and
# freedesktop's checkers must have nothing to say.
id=$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$source"/packaging/*.metainfo.xml)
[ "$id" = "${id,,}" ] || fail "component id $id is not lower case"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$source/packaging/$id.metainfo.xml" \
  || fail "the metainfo does not launch $id.desktop"
strings -el "$binary" | grep -qx "$id" || fail "the program's desktop file name is not $id"
report=$(desktop-file-validate "$source/packaging/$id.desktop" 2>&1) || true
[ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --pedantic --no-net "$source/packaging/$id.metainfo.xml" 2>&1) || true
[ "$report" = "✔ Validation was successful." ] || fail "appstreamcli: $report"

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tovasel_*.deb)
report=$(lintian --pedantic "$deb" 2>&1 | grep -v '^running with root privileges') || true
[ -z "$report" ] || fail "lintian: $report"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/games/tovasel \
         ./usr/share/applications/$id.desktop \
         ./usr/share/metainfo/$id.metainfo.xml \
         ./usr/share/man/man6/tovasel.6.gz \
         ./usr/share/man/zh_CN/man6/tovasel.6.gz \
         ./usr/share/icons/hicolor/32x32/apps/tovasel.png \
         ./usr/share/icons/hicolor/256x256/apps/tovasel.png \
         ./usr/share/icons/hicolor/scalable/apps/tovasel.svg; do
  grep -qx "$f" <<<"$files" || fail "package lacks $f"
done
grep -q -E '^\./usr/(lib|include)/|\.a$|_test$' <<<"$files" && fail "package carries build or test files"

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-2.0-0 fonts-arphic-uming; do
  grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = tovasel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Recommends)" = fcitx5-frontend-qt6 ] || fail "Recommends: fcitx5 reaches Qt 6 only through it"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
echo "package: $(basename "$deb")"
echo "depends: $depends"
