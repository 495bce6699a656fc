# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks that each word's part of a figure, as the picture shows it, lies
strictly inside the word's click rectangle with a margin, and how much of
the rectangle it fills.

Each part is a group id="part-WORD" in the figure's SVG. The part is painted
flat magenta with a stylesheet; the pixels that change are the part as seen,
with whatever hides it taken into account.

    check_parts.py SVG_DIR      (exit status 1 if a part spills out, or a loose
                                 one leaves most of its rectangle bare)
"""

import os
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import WORDS  # noqa: E402

MARGIN = 1
# Parts that by the layout reach past their rectangle: the head's hair and
# chin and the nose poke out of the head's box, and the hair's rectangle holds
# only the back of the head while the hair covers the crown and the forehead.
LOOSE = {"head", "hair"}
# A loose part must still cover most of its rectangle, so that a click there
# lands on the part.
LOOSE_MIN_FILL = 0.6


def render(svg, css=None):
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "o.png")
        cmd = ["rsvg-convert", "-b", "white", "-o", out]
        if css:
            sheet = os.path.join(tmp, "s.css")
            with open(sheet, "w") as f:
                f.write(css)
            cmd += ["-s", sheet]
        subprocess.run(cmd + [svg], check=True)
        with Image.open(out) as im:
            return np.asarray(im.convert("RGB")).astype(int)


def part_pixels(svg, name, plain):
    css = (f"#part-{name}, #part-{name} * {{ fill: #ff00ff !important; "
           f"stroke: #ff00ff !important; opacity: 1 !important; "
           f"fill-opacity: 1 !important; stroke-opacity: 1 !important }}")
    flagged = render(svg, css)
    diff = np.abs(flagged - plain).max(axis=2)
    magenta = (flagged[..., 0] > 200) & (flagged[..., 1] < 90) & (flagged[..., 2] > 200)
    return (diff > 40) & magenta


def main():
    svg_dir = sys.argv[1]
    bad = 0
    for figure in (100, 200):
        svg = os.path.join(svg_dir, f"{figure}.svg")
        if not os.path.exists(svg):
            continue
        plain = render(svg)
        for word in (w for w in WORDS if w.figure == figure):
            mask = part_pixels(svg, word.name, plain)
            x1, y1, x2, y2 = word.rect
            if not mask.any():
                print(f"{word.number} {word.name:9s} NOT FOUND")
                bad += 1
                continue
            ys, xs = np.nonzero(mask)
            bx1, by1, bx2, by2 = xs.min(), ys.min(), xs.max(), ys.max()
            inside = (bx1 >= x1 + MARGIN and by1 >= y1 + MARGIN
                      and bx2 <= x2 - MARGIN and by2 <= y2 - MARGIN)
            area = (x2 - x1 - 1) * (y2 - y1 - 1)
            fill = mask[y1 + 1:y2, x1 + 1:x2].sum() / area
            outside = mask.sum() - mask[y1 + 1:y2, x1 + 1:x2].sum()
            gap = (bx1 - x1, by1 - y1, x2 - bx2, y2 - by2)
            state = "ok" if inside else ("loose" if word.name in LOOSE else "SPILLS")
            if state == "loose" and fill < LOOSE_MIN_FILL:
                state = "THIN"
            if state in ("SPILLS", "THIN"):
                bad += 1
            print(f"{word.number} {word.name:9s} {state:6s} part {bx1},{by1},{bx2},{by2}"
                  f"  gaps l/t/r/b {gap}  fills {fill:4.0%}  px outside {outside}")
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
