#!/usr/bin/env python3
"""Draws the six caption-button glyphs of skinned windows into assets/.

  caption_help.png      26 x 18  a speech bubble
  caption_menu.png      26 x 18  a small window with two text lines and a pointer
  caption_minimise.png  26 x 18  a bar near the bottom
  caption_maximise.png  26 x 18  a rectangle outline
  caption_restore.png   26 x 18  two overlapping rectangle outlines
  caption_close.png     38 x 18  an X

Each is 32-bit RGBA: a white pictogram over a dark soft shadow (the shape one
pixel right and down, blurred) on a transparent ground, with a faint light
line along the top and the left edge. Shapes are anti-aliased by 8 x 8
supersampling, with the distance and PNG helpers of make_glyph_strip.py. Only
the standard library is used, and the output is the same
byte for byte on every run.

Usage: tools/make_caption_glyphs.py [output folder]
"""
import math
import os
import sys

from make_glyph_strip import png_bytes, segment_distance

SAMPLES = 8


def polyline(points, half_width, closed=False):
    """A stroked polyline (round joins) as an inside test."""
    pts = list(points) + ([points[0]] if closed else [])
    segments = list(zip(pts, pts[1:]))
    return lambda x, y: any(segment_distance(x, y, *a, *b) <= half_width for a, b in segments)


def box(left, top, right, bottom):
    return lambda x, y: left <= x <= right and top <= y <= bottom


def outline(left, top, right, bottom, width, top_width=None):
    """A rectangle's frame; the top edge may be thicker (a title bar)."""
    top_width = width if top_width is None else top_width
    outer = box(left, top, right, bottom)
    inner = box(left + width, top + top_width, right - width, bottom - width)
    return lambda x, y: outer(x, y) and not inner(x, y)


def ellipse_ring(cx, cy, rx, ry, half_width):
    def inside(x, y):
        d = math.hypot((x - cx) / rx, (y - cy) / ry)
        # Distance to the ellipse, roughly, in pixels.
        return abs(d - 1.0) * min(rx, ry) <= half_width
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def coverage(shape, width, height):
    cover = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    if shape(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES):
                        hits += 1
            cover[y][x] = hits / float(SAMPLES * SAMPLES)
    return cover


def blurred_shadow(cover, width, height):
    """The shape one pixel right and down, spread over a 3 x 3 neighbourhood."""
    kernel = ((1, 2, 1), (2, 4, 2), (1, 2, 1))
    shadow = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            total = 0.0
            for ky in range(3):
                for kx in range(3):
                    sx, sy = x - 1 + kx - 1, y - 1 + ky - 1
                    if 0 <= sx < width and 0 <= sy < height:
                        total += cover[sy][sx] * kernel[ky][kx]
            shadow[y][x] = min(1.0, total / 12.0)
    return shadow


def compose(shape, width, height):
    cover = coverage(shape, width, height)
    shadow = blurred_shadow(cover, width, height)
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            # Shadow first (dark grey), the white shape over it.
            sa = min(1.0, shadow[y][x] * 1.3)
            wa = cover[y][x]
            a = wa + sa * (1.0 - wa)
            if a > 0:
                value = (255 * wa + 0x18 * sa * (1.0 - wa)) / a
            else:
                value = 0
            # The faint light line along the top and the left edge.
            if (y == 0 or x == 0) and a < 0.16:
                a, value = 0.16, 255
            row.append((round(value), round(value), round(value), round(a * 255)))
        pixels.append(row)
    return pixels


GLYPHS = {
    "caption_help": (26, union(
        minus(ellipse_ring(13.0, 8.0, 6.5, 4.6, 0.75), box(8.4, 10.5, 11.2, 13.0)),
        polyline([(8.9, 11.4), (7.6, 15.0), (11.4, 12.2)], 0.75))),
    "caption_menu": (26, union(
        outline(7.0, 3.0, 19.0, 13.5, 1.2, 2.4),
        box(9.2, 7.2, 16.8, 8.2),
        box(9.2, 9.9, 14.6, 10.9),
        polyline([(16.5, 11.5), (16.5, 16.0), (17.6, 14.8), (19.3, 16.4)], 0.6))),
    "caption_minimise": (26, box(8.0, 11.0, 18.0, 13.2)),
    "caption_maximise": (26, outline(8.0, 4.0, 18.0, 14.0, 1.2, 2.4)),
    "caption_restore": (26, union(
        minus(outline(10.5, 3.0, 19.0, 10.5, 1.2, 2.0), box(7.0, 6.0, 16.0, 14.5)),
        outline(7.0, 6.5, 15.5, 14.5, 1.2, 2.0))),
    "caption_close": (38, union(
        polyline([(14.5, 4.5), (23.5, 13.5)], 1.25),
        polyline([(23.5, 4.5), (14.5, 13.5)], 1.25))),
}


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets")
    for name, (width, shape) in GLYPHS.items():
        with open(os.path.join(out, name + ".png"), "wb") as f:
            f.write(png_bytes(compose(shape, width, 18)))


if __name__ == "__main__":
    main()
