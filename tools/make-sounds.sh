#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerate every sound of the game (src/content/media/sounds/NNN.wav) from
# scratch: the 20 spoken words with festival, the four effects synthesised.
# Installs the Debian packages it needs when they are missing (as root).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/src/content/media/sounds}
py=/usr/bin/python3     # Debian's own Python, not whatever is first on PATH

need=()
for pkg in festival festvox-us-slt-hts sox python3; do
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed' \
        || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "make-sounds: missing packages: ${need[*]} (run as root, or apt-get install them)" >&2
        exit 1
    fi
    echo "make-sounds: installing ${need[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/tovasel-make-sounds.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

# Make and check everything aside, then replace the old files in one go, so
# a failed run leaves the shipped sounds as they were.
"$py" "$root/tools/sounds/make_sounds.py" "$tmp"
mkdir -p "$out"
rm -f "$out"/[0-9][0-9][0-9].wav
cp "$tmp"/[0-9][0-9][0-9].wav "$out"/
"$py" "$root/tools/sounds/make_sounds.py" --check "$out"
echo "make-sounds: sounds are in $out"
