# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Renders the game's pictures from their SVG sources and cuts the word
pictures out of the figures.

    pictures.py render --svg DIR --out DIR   every DIR/NNN.svg, then the words
    pictures.py words --out DIR              only the word pictures

Every output is an opaque 24-bit RGB PNG, at 1x and as NNN@2x.png at 2x;
beside DIR, marks/NNN.png holds each word's red mark alone at 5x, with alpha.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

import numpy as np
from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from words import WORDS  # noqa: E402

# What a transparent corner of a drawing becomes; our drawings cover their
# whole canvas, so this only shows if one forgets to.
FLATTEN_ON = (255, 255, 255)


def svg_size(path):
    with open(path, encoding="utf-8") as f:
        head = f.read(4096)
    tag = re.search(r"<svg\b[^>]*>", head, re.S)
    if not tag:
        raise SystemExit(f"{path}: no <svg> element")
    dims = []
    for attr in ("width", "height"):
        m = re.search(rf'\b{attr}\s*=\s*["\']\s*([0-9.]+)\s*(px)?\s*["\']', tag.group(0))
        if not m:
            raise SystemExit(f"{path}: the <svg> element needs a pixel {attr}")
        dims.append(int(round(float(m.group(1)))))
    return dims


def save_rgb(image, path):
    """Writes PNG colour type 2: no alpha, no palette."""
    if image.mode == "RGBA":
        back = Image.new("RGB", image.size, FLATTEN_ON)
        back.paste(image, mask=image.getchannel("A"))
        image = back
    image = image.convert("RGB")
    tmp = path + ".tmp"
    image.save(tmp, format="PNG", optimize=True)
    os.replace(tmp, path)


def render_svg(svg, width, height, out_png):
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "raw.png")
        subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height),
                        "-f", "png", "-o", raw, svg], check=True)
        with Image.open(raw) as im:
            im.load()
            if im.size != (width, height):
                raise SystemExit(f"{svg}: rendered {im.size}, wanted {width}x{height}")
            save_rgb(im.convert("RGBA"), out_png)


def render_all(svg_dir, out_dir):
    names = sorted(n for n in os.listdir(svg_dir) if re.fullmatch(r"\d+\.svg", n))
    if not names:
        raise SystemExit(f"no NNN.svg in {svg_dir}")
    for name in names:
        number = name[:-4]
        w, h = svg_size(os.path.join(svg_dir, name))
        src = os.path.join(svg_dir, name)
        render_svg(src, w, h, os.path.join(out_dir, f"{number}.png"))
        render_svg(src, 2 * w, 2 * h, os.path.join(out_dir, f"{number}@2x.png"))
        print(f"  {number}: {w}x{h} and {2 * w}x{2 * h}")


# --- the red mark -----------------------------------------------------------

CORE = np.array([232, 22, 34], float)
EDGE = np.array([162, 0, 16], float)
SHINE = np.array([255, 120, 118], float)
GLOW = np.array([255, 36, 40], float)


def _over(base, colour, alpha):
    a = np.clip(alpha, 0.0, 1.0)[..., None]
    return base * (1 - a) + colour * a


def mark_layers(shape, mark, origin, scale):
    """The mark as (colour, alpha) layers, bottom first, over an area of shape
    (H, W) whose top left is origin (figure coordinates), enlarged by scale."""
    h, w = shape
    ys, xs = np.mgrid[0:h, 0:w]
    # pixel centres in figure units
    fx = origin[0] + (xs + 0.5) / scale
    fy = origin[1] + (ys + 0.5) / scale
    px = 1.0 / scale  # one output pixel in figure units, for smooth edges

    def cover(dist_inside):
        return np.clip(dist_inside / px + 0.5, 0.0, 1.0)

    kind = mark[0]
    if kind == "dot":
        _, cx, cy = mark[:3]
        r = mark[3] if len(mark) > 3 else 4.0
        d = np.hypot(fx - cx, fy - cy)
        ds = np.hypot(fx - (cx - 0.32 * r), fy - (cy - 0.34 * r))
        return [(GLOW, 0.8 * np.exp(-2.0 * (np.maximum(d - r, 0) / (0.75 * r + 1.2)) ** 2)),
                (EDGE, cover(r + 0.9 - d)),
                (CORE, cover(r - d)),
                (SHINE, 0.85 * cover(0.36 * r - ds))]
    if kind == "ring":
        _, cx, cy, rx, ry = mark[:5]
        p = mark[5] if len(mark) > 5 else 2.0
        # a rounded ring (a superellipse of power p) follows a cartoon head,
        # fuller at the corners than an ellipse; distance to it to first order
        nx, ny = (fx - cx) / rx, (fy - cy) / ry
        ax, ay = np.abs(nx) + 1e-9, np.abs(ny) + 1e-9
        rho = (ax ** p + ay ** p) ** (1 / p)
        k = rho ** (1 - p)
        grad = np.hypot(k * ax ** (p - 1) / rx, k * ay ** (p - 1) / ry) + 1e-9
        d = np.abs(rho - 1.0) / grad
        half = 1.1
        return [(GLOW, 0.7 * np.exp(-2.0 * (np.maximum(d - half, 0) / 2.2) ** 2)),
                (EDGE, cover(half + 0.6 - d)),
                (CORE, cover(half - d))]
    raise ValueError(kind)


def paint_mark(pixels, mark, origin, scale):
    """Paints the mark onto pixels (float H x W x 3), a cut of the figure whose
    top left is origin (figure coordinates), enlarged by scale."""
    out = pixels.astype(float)
    for colour, alpha in mark_layers(pixels.shape[:2], mark, origin, scale):
        out = _over(out, colour, alpha)
    return np.clip(np.rint(out), 0, 255).astype(np.uint8)


def full_mark(word):
    mark = word.mark
    if mark[0] == "dot" and len(mark) == 3:
        mark = mark + (mark_radius(word),)
    return mark


def mark_radius(word):
    w, h = word.size
    return float(min(7.0, max(3.2, 0.24 * min(w, h))))


def cut_words(out_dir):
    figures = {}
    for word in WORDS:
        for scale, suffix in ((1, ""), (2, "@2x")):
            key = (word.figure, scale)
            if key not in figures:
                path = os.path.join(out_dir, f"{word.figure}{suffix}.png")
                with Image.open(path) as im:
                    figures[key] = np.asarray(im.convert("RGB"))
            fig = figures[key]
            x1, y1 = word.origin
            w, h = word.size
            cut = fig[y1 * scale:(y1 + h) * scale, x1 * scale:(x1 + w) * scale]
            if cut.shape[:2] != (h * scale, w * scale):
                raise SystemExit(f"word {word.number} reaches outside its figure")
            marked = paint_mark(cut, full_mark(word), word.origin, scale)
            save_rgb(Image.fromarray(marked, "RGB"),
                     os.path.join(out_dir, f"{word.number}{suffix}.png"))
    print(f"  word pictures: {len(WORDS)} at 1x and 2x")


MARK_SCALE = 5  # enough for a 483-pixel figure on a 2160-pixel-high screen


def write_marks(out_dir):
    """Each word's mark alone, on transparent, at MARK_SCALE over the word
    picture's area: full screen lays it over the figure drawn at its size."""
    os.makedirs(out_dir, exist_ok=True)
    for word in WORDS:
        w, h = word.size
        colour = np.zeros((h * MARK_SCALE, w * MARK_SCALE, 3))
        alpha = np.zeros((h * MARK_SCALE, w * MARK_SCALE))
        for c, a in mark_layers(alpha.shape, full_mark(word), word.origin, MARK_SCALE):
            a = np.clip(a, 0.0, 1.0)
            colour = c * a[..., None] + colour * (1 - a[..., None])
            alpha = a + alpha * (1 - a)
        straight = colour / np.maximum(alpha, 1e-9)[..., None]
        rgba = np.dstack([straight, alpha * 255])
        image = Image.fromarray(np.clip(np.rint(rgba), 0, 255).astype(np.uint8), "RGBA")
        tmp = os.path.join(out_dir, f"{word.number}.png.tmp")
        image.save(tmp, format="PNG", optimize=True)
        os.replace(tmp, os.path.join(out_dir, f"{word.number}.png"))
    print(f"  word marks: {len(WORDS)} at {MARK_SCALE}x")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("what", choices=["render", "words"])
    ap.add_argument("--svg")
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    if args.what == "render":
        if not args.svg:
            ap.error("render needs --svg")
        render_all(args.svg, args.out)
    figs = [os.path.join(args.out, f"{n}.png") for n in (100, 200)]
    if all(os.path.exists(p) for p in figs):
        cut_words(args.out)
        write_marks(os.path.join(os.path.dirname(os.path.abspath(args.out)), "marks"))
    else:
        print("  no figures yet: word pictures not cut", file=sys.stderr)


if __name__ == "__main__":
    main()
