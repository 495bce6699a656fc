#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders every picture of the game from its vector source:
#   tools/art/svg/NNN.svg -> src/content/media/pictures/NNN.png and NNN@2x.png
# (opaque 24-bit RGB at the drawing's own width and height, and twice that),
# then cuts the word pictures out of the two figures and marks their parts, and
# writes each word's mark alone at 5x (src/content/media/marks/NNN.png), which
# full screen lays over the figure drawn from its SVG at the screen's size.
# The icons have their own script, tools/make-icons.sh, run from here if present.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
python=/usr/bin/python3   # Debian's own: the PATH one may lack Debian's modules

missing=""
command -v rsvg-convert >/dev/null 2>&1 || missing="$missing librsvg2-bin"
"$python" -c 'import PIL' 2>/dev/null || missing="$missing python3-pil"
"$python" -c 'import numpy' 2>/dev/null || missing="$missing python3-numpy"
if [ -n "$missing" ]; then
  echo "make-pictures: installing$missing" >&2
  if [ "$(id -u)" = 0 ]; then
    apt-get install -y $missing >/dev/null
  else
    sudo apt-get install -y $missing >/dev/null
  fi
fi

# The mascot frames are drawn from one template per animal, so that a
# speaking frame differs from its idle frame in the mouth alone.
"$python" "$here/art/small_pictures.py"

"$python" "$here/art/pictures.py" render \
  --svg "$here/art/svg" --out "$root/src/content/media/pictures"

if [ -x "$here/make-icons.sh" ]; then
  "$here/make-icons.sh"
elif [ -f "$here/make-icons.sh" ]; then
  sh "$here/make-icons.sh"
fi
