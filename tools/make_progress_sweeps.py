#!/usr/bin/env python3
"""Draws the three highlight sweeps of the progress-bar skin into assets/.

Each is an RGBA glow that the bar's painter slides along its filled part,
scaled to the bar's height and clipped to the fill.

  progress_sweep_1.png   90 x 24  pure white; rows 0..6 and the last row
                                  transparent, alpha rising downwards to 235
                                  on the two rows above the last; strongest at
                                  the middle column, fading to both ends
  progress_sweep_2.png  126 x 23  light-blue glow RGB(0, 222, 255): a bright
                                  near-white line on the sixth row (alpha up to
                                  244), alpha about 70 to 100 through the
                                  middle rows, 251 and 255 on the last two
                                  rows, where a darker blue line RGB(52, 143,
                                  221) runs under the middle; strongest near
                                  the middle column
  progress_sweep_3.png  161 x 28  pure white; alpha rising from about 1 on the
                                  top row to 86 on the row above the last, the
                                  last row at 194; fading out towards both ends

Only the standard library is used; the output is the same byte for byte on
every run.

Usage: tools/make_progress_sweeps.py [output folder]
"""
import math
import os
import sys

from make_glyph_strip import png_bytes

WHITE = (0xFF, 0xFF, 0xFF)
GLOW_BLUE = (0x00, 0xDE, 0xFF)
LINE_BLUE = (0x34, 0x8F, 0xDD)


def across(width, x, power=1.0):
    """1 at the middle column, falling smoothly to near 0 at both ends."""
    middle = (width - 1) / 2
    return math.cos(abs(x - middle) / (middle + 1) * math.pi / 2) ** power


def sweep_1():
    width, height = 90, 24
    rows = []
    for y in range(height):
        if y < 7 or y == height - 1:
            strength = 0.0
        else:
            # rows 7 .. 22: rising to 235 on rows 21 and 22
            strength = min(1.0, (y - 6) / 15) * 235
        rows.append([WHITE + (round(strength * across(width, x)),) for x in range(width)])
    return rows


def sweep_2():
    width, height = 126, 23
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            fade = across(width, x, 0.8)
            colour = GLOW_BLUE
            if y < 5:
                alpha = 40 * y / 5
            elif y == 5:
                colour = (0xE6, 0xFA, 0xFF)  # the bright line, near white
                alpha = 244
            elif y < height - 2:
                alpha = 70 + 30 * (y - 6) / (height - 9)
            elif y == height - 2:
                alpha = 251
            else:
                alpha = 255
            if y >= height - 2 and abs(x - (width - 1) / 2) < width / 4:
                colour = LINE_BLUE
            row.append(colour + (round(alpha * fade),))
        rows.append(row)
    return rows


def sweep_3():
    width, height = 161, 28
    rows = []
    for y in range(height):
        alpha = 194 if y == height - 1 else 1 + 85 * y / (height - 2)
        rows.append([WHITE + (round(alpha * across(width, x, 1.5)),) for x in range(width)])
    return rows


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets")
    for name, pixels in (("progress_sweep_1.png", sweep_1()), ("progress_sweep_2.png", sweep_2()),
                         ("progress_sweep_3.png", sweep_3())):
        with open(os.path.join(out, name), "wb") as f:
            f.write(png_bytes(pixels))


if __name__ == "__main__":
    main()
