# SPDX-FileCopyrightText: 2026 The Tovasel developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The word pictures: which part of which figure, where its click rectangle
lies and where the red mark goes.

Rectangles are (x1, y1, x2, y2) in pixels of the 483 x 483 figure; a click
counts strictly inside. A word picture is the figure's pixels from (x1, y1),
normally (x2 - x1 + 1) x (y2 - y1 + 1); a few are a little wider or narrower.
Marks are in the figure's continuous coordinates (pixel x covers [x, x + 1)).
"""

FIGURE_SIZE = 483


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
    Word(101, "brow", (274, 158, 301, 169)),
    Word(102, "chin", (272, 250, 305, 267)),
    Word(103, "eye", (267, 172, 297, 210), grow=(2, 0)),
    Word(104, "face", (221, 195, 260, 238)),
    Word(105, "hair", (303, 113, 384, 221)),
    Word(106, "hand", (203, 304, 240, 342)),
    Word(107, "head", (245, 121, 377, 257), ring=(311.5, 189.5, 63, 65, 2.6)),
    Word(108, "neck", (282, 264, 318, 278)),
    Word(109, "shoulder", (298, 273, 334, 296)),
    Word(110, "tooth", (262, 230, 303, 241)),
    # figure 2: the girl with the laundry basket
    Word(201, "arm", (189, 322, 237, 370), mark=(214.5, 355.2, 5.5)),  # on the forearm
    Word(202, "back", (159, 329, 180, 367), grow=(-1, 0)),
    Word(203, "ear", (158, 286, 178, 309)),
    Word(204, "finger", (245, 350, 263, 375), grow=(3, 2)),
    Word(205, "foot", (143, 443, 200, 476)),
    Word(206, "leg", (153, 423, 180, 446)),
    Word(207, "mouth", (187, 278, 226, 313), mark=(214.5, 294.5)),  # beside the tongue
    Word(208, "nose", (226, 269, 239, 281)),
    Word(209, "toe", (187, 463, 203, 476)),
    Word(210, "tongue", (193, 295, 212, 313)),
]

BY_NUMBER = {w.number: w for w in WORDS}
