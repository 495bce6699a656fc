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

desktop-file-validate "$source/packaging/org.tovasel.tovasel.desktop" | grep -v '^.*hint:' && fail "desktop entry"
appstreamcli validate --no-net "$source/packaging/org.tovasel.tovasel.metainfo.xml" >"$out/as.log" 2>&1 \
  || { cat "$out/as.log"; fail "metainfo does not validate"; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tovasel_*.deb)

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tovasel \
         ./usr/share/applications/org.tovasel.tovasel.desktop \
         ./usr/share/metainfo/org.tovasel.tovasel.metainfo.xml \
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
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
echo "package: $(basename "$deb")"
echo "depends: $depends"
