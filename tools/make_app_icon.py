#!/usr/bin/env python3
"""Draws assets/app.ico, the program's icon (resource 129).

Three images, 16, 32 and 48 pixels square, 32 bits with alpha, stored as
DIBs with their AND masks so that every Windows version and Wine reads them.
The picture is a rounded square in the skin's cyan theme tint, lit from the
top, with a white bust (a head over shoulders) standing for the NPC that the
tool authors; a dark rim keeps it apart from light and dark taskbars alike.
Everything is drawn on a unit square and anti-aliased by 8 x 8 supersampling,
so the small sizes are the same shape, not a scaled copy. Only the standard
library is used, and the output is the same byte for byte on every run.

Usage: tools/make_app_icon.py [output path]
"""
import os
import struct
import sys

SIZES = (16, 32, 48)
SAMPLES = 8

TOP = (0x5C, 0xE0, 0xEE)      # the theme tint 0xDDCA22 (BGR), lightened
BOTTOM = (0x18, 0x9C, 0xB4)   # and darkened for the light from above
RIM = (0x10, 0x5A, 0x6A)
FIGURE = (0xFF, 0xFF, 0xFF)


def rounded_square(x, y, inset, radius):
    """True when (x, y) of the unit square lies in the rounded square."""
    lo, hi = inset, 1.0 - inset
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def figure(x, y):
    """The bust: a round head over the top of an ellipse for the shoulders."""
    head = (x - 0.5) ** 2 + (y - 0.38) ** 2 <= 0.15 ** 2
    shoulders = y <= 0.86 and ((x - 0.5) / 0.30) ** 2 + ((y - 0.86) / 0.29) ** 2 <= 1.0
    return head or shoulders


def sample(x, y):
    """The colour and alpha of one sample point of the unit square."""
    if not rounded_square(x, y, 0.02, 0.2):
        return None
    if not rounded_square(x, y, 0.07, 0.16):
        return RIM
    if figure(x, y):
        return FIGURE
    return tuple(round(t + (b - t) * y) for t, b in zip(TOP, BOTTOM))


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = sample((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if colour:
                        covered += 1
                        r, g, b = r + colour[0], g + colour[1], b + colour[2]
            if covered:
                row.append((r // covered, g // covered, b // covered,
                            (covered * 255 + SAMPLES * SAMPLES // 2) // (SAMPLES * SAMPLES)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: header of double height, BGRA bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def ico_bytes():
    images = [dib(draw(size)) for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "app.ico")
    with open(out, "wb") as f:
        f.write(ico_bytes())


if __name__ == "__main__":
    main()
