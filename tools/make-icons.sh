#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the program icon from tools/art/icon/tovasel.svg into src/content/media/icons/:
#   tovasel.svg      the scalable source, copied as is
#   tovasel-32.png   32 x 32, opaque 24-bit RGB on white (the main window's icon)
#   tovasel-256.png  256 x 256, RGBA with transparent corners (for the desktop)
# Needs rsvg-convert (librsvg2-bin) and ImageMagick 6 or 7.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/tools/art/icon/tovasel.svg"
out="$root/src/content/media/icons"

# Prefer ImageMagick's own binaries over any other "convert" earlier on PATH.
im=""
for c in /usr/bin/magick /usr/bin/convert magick convert; do
    if command -v "$c" >/dev/null 2>&1 && "$c" -version 2>/dev/null | head -n 1 | grep -q ImageMagick; then
        im=$c
        break
    fi
done
if [ -z "$im" ]; then
    echo "make-icons.sh: ImageMagick not found" >&2
    exit 1
fi
command -v rsvg-convert >/dev/null 2>&1 || { echo "make-icons.sh: rsvg-convert not found" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM

mkdir -p "$out"
cp "$src" "$out/tovasel.svg"

rsvg-convert -w 32 -h 32 -b '#ffffff' "$src" -o "$tmp/32.png"
"$im" "$tmp/32.png" -background '#ffffff' -alpha remove -alpha off -strip -define png:exclude-chunks=date,time PNG24:"$out/tovasel-32.png"

rsvg-convert -w 256 -h 256 "$src" -o "$tmp/256.png"
"$im" "$tmp/256.png" -strip -define png:exclude-chunks=date,time PNG32:"$out/tovasel-256.png"

echo "make-icons.sh: wrote $out/tovasel.svg, tovasel-32.png, tovasel-256.png"
