#!/usr/bin/env python3
"""Draws assets/tick.png, the 13 x 12 tick that the skin recolours to the theme.

RGBA, 8 bits per channel. 21 opaque tick pixels in greens; 28 pixels along
the tick's edge in near-white greens at alpha 0 (the recolouring turns them
into a faint rim, since it takes a pixel's opacity from its darkness); every
other pixel pure white at alpha 0, which the recolouring leaves untouched.
Only the standard library is used; the output is the same on every run.

Usage: tools/make_tick_image.py [output path]
"""
import os
import sys

from make_glyph_strip import png_bytes

WIDTH, HEIGHT = 13, 12
TICK = [(2, 5), (2, 6), (3, 6), (3, 7), (4, 7), (4, 8), (5, 8), (5, 9), (6, 7), (6, 8), (7, 6),
        (7, 7), (8, 5), (8, 6), (9, 4), (9, 5), (10, 3), (10, 4), (11, 2), (11, 3), (12, 2)]
# Lighter and darker greens down the stroke, so the recoloured tick keeps
# some shading.
GREENS = [(0x53, 0x82, 0x4B), (0x4A, 0x78, 0x42), (0x5E, 0x8E, 0x55)]
EDGE_EXTRA = [(3, 9), (1, 7), (6, 10), (4, 10)]
EDGE_COLOURS = [(0xEC, 0xFF, 0xE7), (0xF2, 0xFA, 0xEF), (0xE6, 0xF5, 0xE2), (0xF6, 0xFC, 0xF4)]


def draw():
    canvas = [[(0xFF, 0xFF, 0xFF, 0)] * WIDTH for _ in range(HEIGHT)]
    tick = set(TICK)
    edge = []
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (x, y) in tick:
                continue
            near = any((x + dx, y + dy) in tick for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if near or (x, y) in EDGE_EXTRA:
                edge.append((x, y))
    for i, (x, y) in enumerate(edge):
        canvas[y][x] = EDGE_COLOURS[i % len(EDGE_COLOURS)] + (0,)
    for i, (x, y) in enumerate(TICK):
        canvas[y][x] = GREENS[i % len(GREENS)] + (0xFF,)
    assert len(TICK) == 21 and len(edge) == 28
    return canvas


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "tick.png")
    with open(out, "wb") as f:
        f.write(png_bytes(draw()))


if __name__ == "__main__":
    main()
