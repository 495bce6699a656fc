# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the review sheet: per figure, the figure at 2x with every click
rectangle and its word, and beside it the same figure with every word
picture pasted in place over it, then the word pictures one by one.

    review_sheet.py PICTURES_DIR OUT_PNG
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import WORDS, FIGURE_SIZE  # noqa: E402

S = 2
PAD = 24
COLOURS = [(230, 0, 120), (0, 150, 60), (0, 90, 220), (200, 110, 0), (120, 0, 200),
           (0, 150, 160), (160, 60, 0), (80, 80, 80), (0, 0, 0), (180, 0, 0)]


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    try:
        return ImageFont.truetype(f"/usr/share/fonts/truetype/dejavu/{name}", size)
    except OSError:
        return ImageFont.load_default()


def rect_2x(rect):
    x1, y1, x2, y2 = rect
    return (x1 * S, y1 * S, x2 * S, y2 * S)


def main():
    pics, out = sys.argv[1], sys.argv[2]
    side = FIGURE_SIZE * S
    strip_h = 300
    row_h = 40 + side + strip_h
    sheet = Image.new("RGB", (PAD * 3 + side * 2, PAD + 2 * (row_h + PAD)), (245, 245, 240))
    draw = ImageDraw.Draw(sheet)
    title, label, small = font(22, True), font(15, True), font(13)
    for row, figure in enumerate((100, 200)):
        top = PAD + row * (row_h + PAD)
        fig = Image.open(os.path.join(pics, f"{figure}@2x.png")).convert("RGB")
        words = [w for w in WORDS if w.figure == figure]
        left = (PAD, top + 40)
        right = (PAD * 2 + side, top + 40)
        draw.text((PAD, top + 8), f"{figure}@2x with the click rectangles", font=title, fill=(20, 20, 20))
        draw.text((right[0], top + 8), f"word pictures @2x pasted over {figure}@2x",
                  font=title, fill=(20, 20, 20))
        sheet.paste(fig, left)
        pasted = fig.copy()
        # largest first, so that a small word's mark is not hidden under a big cut
        for w in sorted(words, key=lambda w: -w.size[0] * w.size[1]):
            wp = Image.open(os.path.join(pics, f"{w.number}@2x.png")).convert("RGB")
            pasted.paste(wp, (w.rect[0] * S, w.rect[1] * S))
        sheet.paste(pasted, right)
        for i, w in enumerate(words):
            c = COLOURS[i % len(COLOURS)]
            for (ox, oy), thick in ((left, 2), (right, 1)):
                x1, y1, x2, y2 = rect_2x(w.rect)
                draw.rectangle((ox + x1, oy + y1, ox + x2, oy + y2), outline=c, width=thick)
            x1, y1, x2, y2 = rect_2x(w.rect)
            tx, ty = left[0] + x1 + 3, left[1] + y1 + 2
            if w.name in ("head", "hair"):
                ty = left[1] + y1 - 19
            if w.name == "tooth":
                tx = left[0] + x2 + 4
            if w.name in ("neck", "shoulder", "leg", "toe"):
                tx = left[0] + x2 + 4
            box = draw.textbbox((tx, ty), w.name, font=label)
            draw.rectangle((box[0] - 2, box[1] - 1, box[2] + 2, box[3] + 1), fill=(255, 255, 255))
            draw.text((tx, ty), w.name, font=label, fill=c)
        # the word pictures one by one, at 2x, with their sizes
        x, y = PAD, top + 40 + side + 12
        for w in words:
            wp = Image.open(os.path.join(pics, f"{w.number}@2x.png")).convert("RGB")
            one = Image.open(os.path.join(pics, f"{w.number}.png"))
            if x + wp.width > sheet.width - PAD:
                x, y = PAD, y + 150
            sheet.paste(wp, (x, y + 18))
            draw.rectangle((x - 1, y + 17, x + wp.width, y + 18 + wp.height), outline=(120, 120, 120))
            draw.text((x, y), f"{w.number} {w.name} {one.width}x{one.height}", font=small, fill=(20, 20, 20))
            x += max(wp.width, 120) + 16
    os.makedirs(os.path.dirname(out), exist_ok=True)
    sheet.save(out, optimize=True)
    print(f"  wrote {out} ({sheet.width}x{sheet.height})")


if __name__ == "__main__":
    main()
