#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes docs/review-sheet.png from the rendered pictures (run make-pictures.sh
# first): both figures at 2x with their click rectangles and with their word
# pictures pasted in place, and a report of where each part lies.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
python=/usr/bin/python3
"$python" "$here/art/review_sheet.py" "$root/src/content/media/pictures" "$root/docs/review-sheet.png"
"$python" "$here/art/check_parts.py" "$here/art/svg" || echo "make-review-sheet: some part spills out of its rectangle" >&2
