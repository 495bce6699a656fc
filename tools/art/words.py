# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The word pictures: which part of which figure, where its click rectangle
lies and where the red mark goes.

Rectangles are (x1, y1, x2, y2) in pixels of the 483 x 483 figure; a click
counts strictly inside. A word picture is the figure's pixels from (x1, y1),
normally (x2 - x1 + 1) x (y2 - y1 + 1); a few are a little wider or narrower.
Marks are in the figure's continuous coordinates (pixel x covers [x, x + 1)).
"""

import csv
import os

FIGURE_SIZE = 483
HOT_SPOTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "content", "hot_spots.csv")


def _read_rects():
    """The click rectangles by word number, from the table the game is built with."""
    with open(HOT_SPOTS, newline="") as f:
        rows = csv.reader(line for line in f if not line.startswith("#"))
        next(rows)
        return {int(r[0]): tuple(int(v) for v in r[2:6]) for r in rows}


_RECTS = _read_rects()


def _centre(rect):
    x1, y1, x2, y2 = rect
    return ((x1 + x2) / 2 + 0.5, (y1 + y2) / 2 + 0.5)


class Word:
    def __init__(self, number, name, rect, mark=None, grow=(0, 0), ring=None):
        self.number = number
        self.figure = 100 * (number // 100)
        self.name = name
        self.rect = rect
        x1, y1, x2, y2 = rect
        self.size = (x2 - x1 + 1 + grow[0], y2 - y1 + 1 + grow[1])
        # ("dot", cx, cy) on the part, or ("ring", cx, cy, rx, ry, power) round it
        if ring is not None:
            self.mark = ("ring",) + tuple(ring)
        else:
            self.mark = ("dot",) + tuple(mark if mark is not None else _centre(rect))

    @property
    def origin(self):
        return self.rect[0], self.rect[1]


WORDS = [
    # figure 1: the boy with the fruit cart
    Word(101, "brow", _RECTS[101]),
    Word(102, "chin", _RECTS[102]),
    Word(103, "eye", _RECTS[103], grow=(2, 0)),
    Word(104, "face", _RECTS[104]),
    Word(105, "hair", _RECTS[105]),
    Word(106, "hand", _RECTS[106]),
    Word(107, "head", _RECTS[107], ring=(311.5, 189.5, 63, 65, 2.6)),
    Word(108, "neck", _RECTS[108]),
    Word(109, "shoulder", _RECTS[109]),
    Word(110, "tooth", _RECTS[110]),
    # figure 2: the girl with the laundry basket
    Word(201, "arm", _RECTS[201], mark=(214.5, 355.2, 5.5)),  # on the forearm
    Word(202, "back", _RECTS[202], grow=(-1, 0)),
    Word(203, "ear", _RECTS[203]),
    Word(204, "finger", _RECTS[204], grow=(3, 2)),
    Word(205, "foot", _RECTS[205]),
    Word(206, "leg", _RECTS[206]),
    Word(207, "mouth", _RECTS[207], mark=(214.5, 294.5)),  # beside the tongue
    Word(208, "nose", _RECTS[208]),
    Word(209, "toe", _RECTS[209]),
    Word(210, "tongue", _RECTS[210]),
]

BY_NUMBER = {w.number: w for w in WORDS}
