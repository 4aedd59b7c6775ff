#!/usr/bin/env python3
"""Draws assets/close_glyph.png, the close glyph in a skinned message box's caption.

38 x 18 pixels, RGBA. The box draws it at the top left of its 36 x 22 close
button (3 pixels below the button's top), so the glyph's centre (18, 8) falls
on the centre of the button's hover plate. The glyph is a dark diagonal cross,
8 x 8 pixels, with a soft white halo that keeps it readable on the light
caption and on the red hover plate alike; everything else is transparent.
Anti-aliased by 8 x 8 supersampling, with the distance and PNG helpers of
make_glyph_strip.py. Only the standard library is used, and the output is
the same byte for byte on every run.

Usage: tools/make_close_glyph.py [output path]
"""
import os
import sys

from make_glyph_strip import png_bytes, segment_distance

WIDTH, HEIGHT = 38, 18
CENTRE_X, CENTRE_Y = 18.0, 8.0
ARM = 4.0            # half the cross's extent along each axis
STROKE = 0.9         # half width of the cross's strokes
HALO = 2.1           # half width of the halo around them
INK = (0x30, 0x30, 0x30)
HALO_RGB = (0xFF, 0xFF, 0xFF)
HALO_ALPHA = 0.7
SAMPLES = 8


SEGMENTS = (
    (CENTRE_X - ARM, CENTRE_Y - ARM, CENTRE_X + ARM, CENTRE_Y + ARM),
    (CENTRE_X + ARM, CENTRE_Y - ARM, CENTRE_X - ARM, CENTRE_Y + ARM),
)


def coverage(x, y, half_width):
    """Share of pixel (x, y) within half_width of the cross."""
    inside = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            px = x + (sx + 0.5) / SAMPLES
            py = y + (sy + 0.5) / SAMPLES
            if min(segment_distance(px, py, *s) for s in SEGMENTS) <= half_width:
                inside += 1
    return inside / float(SAMPLES * SAMPLES)


def pixel(x, y):
    ink = coverage(x, y, STROKE)
    halo = coverage(x, y, HALO) * HALO_ALPHA
    # The ink over the halo (source over).
    alpha = ink + halo * (1.0 - ink)
    if alpha <= 0.0:
        return (0, 0, 0, 0)
    rgb = tuple(int(round((i * ink + h * halo * (1.0 - ink)) / alpha)) for i, h in zip(INK, HALO_RGB))
    return rgb + (int(round(alpha * 255)),)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "close_glyph.png")
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    with open(out, "wb") as f:
        f.write(png_bytes(rows))


if __name__ == "__main__":
    main()
