# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks that each word's part of a figure, as the picture shows it, lies
strictly inside the word's click rectangle with a margin of a pixel, and how
much of the rectangle it fills.

Each part is a group id="part-WORD" in the figure's SVG. The part is painted
flat magenta with a stylesheet; the pixels that change are the part as seen,
with whatever hides it taken into account.

    check_parts.py SVG_DIR      (exit status 1 if a part spills out, or a loose
                                 one leaves most of its rectangle bare)
"""

import io
import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import WORDS  # noqa: E402

# Parts that by the layout reach past their rectangle: the head's hair and
# chin and the nose poke out of the head's box, and the hair's rectangle holds
# only the back of the head while the hair covers the crown and the forehead.
# Such a part must still cover most (0.6) of its rectangle, so that a click
# there lands on the part.
LOOSE, LOOSE_MIN_FILL = {"head", "hair"}, 0.6


def render(svg, sheet, css=""):
    with open(sheet, "w") as f:
        f.write(css)
    png = subprocess.run(["rsvg-convert", "-b", "white", "-s", sheet, svg], check=True, capture_output=True).stdout
    return np.asarray(Image.open(io.BytesIO(png)).convert("RGB")).astype(int)


def check(svg, sheet):
    plain, bad = render(svg, sheet), 0
    for word in (w for w in WORDS if f"{w.figure}.svg" == os.path.basename(svg)):
        flagged = render(svg, sheet, f"#part-{word.name}, #part-{word.name} * {{ fill: #ff00ff !important; stroke: #ff00ff "
                         "!important; opacity: 1 !important; fill-opacity: 1 !important; stroke-opacity: 1 !important }")
        magenta = (flagged[..., 0] > 200) & (flagged[..., 1] < 90) & (flagged[..., 2] > 200)
        ys, xs = np.nonzero((np.abs(flagged - plain).max(axis=2) > 40) & magenta)
        if not len(xs):
            print(f"{word.number} {word.name:9s} NOT FOUND")
            bad += 1
            continue
        (x1, y1, x2, y2), box = word.rect, (xs.min(), ys.min(), xs.max(), ys.max())
        gap = (box[0] - x1, box[1] - y1, x2 - box[2], y2 - box[3])
        within = ((x1 < xs) & (xs < x2) & (y1 < ys) & (ys < y2)).sum()
        fill = within / ((x2 - x1 - 1) * (y2 - y1 - 1))
        state = "ok" if min(gap) >= 1 else "SPILLS" if word.name not in LOOSE else "loose" if fill >= LOOSE_MIN_FILL else "THIN"
        bad += state in ("SPILLS", "THIN")
        print(f"{word.number} {word.name:9s} {state:6s} part {','.join(map(str, box))}"
              f"  gaps l/t/r/b {gap}  fills {fill:4.0%}  px outside {len(xs) - within}")
    return bad


with tempfile.TemporaryDirectory() as tmp:
    svgs = [os.path.join(sys.argv[1], f"{figure}.svg") for figure in (100, 200)]
    sys.exit(1 if sum(check(svg, os.path.join(tmp, "s.css")) for svg in svgs if os.path.exists(svg)) else 0)
