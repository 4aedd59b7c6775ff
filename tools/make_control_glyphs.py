#!/usr/bin/env python3
"""Draws the small glyphs of the control skins into assets/.

Chevrons, 14 x 14 RGBA, every pixel fully opaque or fully transparent
(scroll-bar arrows, the combo box's drop button, up-down halves):

  chevron_up.png     rows 4..8, tip at the top, RGB(0x98, 0xC1, 0xD6)
  chevron_down.png   the up chevron mirrored top to bottom
  chevron_left.png   the up chevron with x and y exchanged
  chevron_right.png  the left chevron mirrored left to right, RGB(0x8C, 0xB6, 0xCC)

Tree-view glyphs (its tick is the check boxes' assets/tick.png):

  tree_third_state.png  6 x 6 green square with soft corners, lighter at the top
  tree_expander.png     7 x 5 dark grey triangle pointing down

Toolbar glyph:

  drop_down_arrow.png   7 x 5 solid triangle pointing down, RGB(51, 51, 51):
                        rows of 7, 5, 3 and 1 opaque pixels above one
                        empty row (the arrow of drop-down buttons)

Only the standard library is used; the output is the same byte for byte on
every run.

Usage: tools/make_control_glyphs.py [output folder]
"""
import os
import sys

from make_glyph_strip import png_bytes

CLEAR = (0, 0, 0, 0)
CHEVRON = (0x98, 0xC1, 0xD6, 0xFF)
CHEVRON_RIGHT = (0x8C, 0xB6, 0xCC, 0xFF)
# Opaque columns of the up chevron, per row.
UP_ROWS = {4: [(6, 7)], 5: [(5, 8)], 6: [(4, 9)], 7: [(3, 5), (8, 10)], 8: [(2, 4), (9, 11)]}


def canvas(width, height):
    return [[CLEAR] * width for _ in range(height)]


def chevron_up():
    c = canvas(14, 14)
    for y, spans in UP_ROWS.items():
        for first, last in spans:
            for x in range(first, last + 1):
                c[y][x] = CHEVRON
    return c


def mirror_rows(c):
    return [list(row) for row in reversed(c)]


def transpose(c):
    return [[c[x][y] for x in range(len(c))] for y in range(len(c[0]))]


def mirror_columns(c, colour):
    return [[colour if p[3] else CLEAR for p in reversed(row)] for row in c]


def tree_third_state():
    c = canvas(6, 6)
    for y in range(6):
        green = (0x6C + (5 - y) * 0x0C, 0xA4 + (5 - y) * 0x08, 0x5C + (5 - y) * 0x0A)
        for x in range(6):
            corner = x in (0, 5) and y in (0, 5)
            c[y][x] = green + ((0x60,) if corner else (0xFF,))
    return c


def tree_expander():
    c = canvas(7, 5)
    for y in range(4):
        for x in range(y, 7 - y):
            c[y][x] = (0x50, 0x50, 0x50, 0xFF)
    return c


def drop_down_arrow():
    c = canvas(7, 5)
    for y in range(4):
        for x in range(y, 7 - y):
            c[y][x] = (0x33, 0x33, 0x33, 0xFF)
    return c


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets")
    up = chevron_up()
    left = transpose(up)
    glyphs = {
        "chevron_up.png": up,
        "chevron_down.png": mirror_rows(up),
        "chevron_left.png": left,
        "chevron_right.png": mirror_columns(left, CHEVRON_RIGHT),
        "tree_third_state.png": tree_third_state(),
        "tree_expander.png": tree_expander(),
        "drop_down_arrow.png": drop_down_arrow(),
    }
    for name, pixels in glyphs.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(png_bytes(pixels))


if __name__ == "__main__":
    main()
