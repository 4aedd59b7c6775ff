#!/usr/bin/env python3
"""Draws assets/glyph_strip.png, the check-box glyph strip of the skin engine.

131 x 16 pixels, RGBA: six cells of 21 x 16 separated by one-pixel columns of
opaque magenta at x = 21, 43, 65, 87 and 109 (the image strip cuts there).

  cell 1  large tick filling the cell (first frame of the tick animation)
  cell 2  box, hot look
  cell 3  small tick, drawn over a box when checked
  cell 4  the same small tick (a later animation frame scales it down)
  cell 5  translucent box, normal and pressed look, base of the animation
  cell 6  darker box, disabled look

Boxes are 14 x 14 at columns and rows 2..15 of their cell; everything else
in a cell is transparent. Ticks are anti-aliased by 8 x 8 supersampling, so
their edges have soft alpha. Only the standard library is used, and the
output is the same byte for byte on every run.

Usage: tools/make_glyph_strip.py [output path]
"""
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 131, 16
CELL_WIDTH = 21
SEPARATORS = (21, 43, 65, 87, 109)
MAGENTA = (0xFF, 0x00, 0xFF, 0xFF)
TICK_GREEN = (0x5D, 0x97, 0x02)


def cell_left(n):
    """x of the first column of cell n (1-based)."""
    return (n - 1) * (CELL_WIDTH + 1)


def new_canvas():
    return [[(0, 0, 0, 0)] * WIDTH for _ in range(HEIGHT)]


def draw_box(canvas, left, fill, border, alpha):
    """A 14 x 14 box at columns and rows 2..15 of the cell starting at left."""
    for y in range(2, 16):
        for x in range(2, 16):
            edge = x in (2, 15) or y in (2, 15)
            r, g, b = border if edge else fill
            canvas[y][left + x] = (r, g, b, alpha)


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return (qx * qx + qy * qy) ** 0.5


def draw_tick(canvas, left, points, half_width, colour):
    """A stroked polyline with round joins; alpha is the covered share of a pixel."""
    samples = 8
    segments = list(zip(points, points[1:]))
    for y in range(HEIGHT):
        for x in range(CELL_WIDTH):
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    px = x + (sx + 0.5) / samples
                    py = y + (sy + 0.5) / samples
                    if any(segment_distance(px, py, *a, *b) <= half_width for a, b in segments):
                        covered += 1
            if covered:
                alpha = (covered * 255 + samples * samples // 2) // (samples * samples)
                canvas[y][left + x] = colour + (alpha,)


def draw_strip():
    canvas = new_canvas()
    # Cell 1: the large tick reaches across the whole cell.
    draw_tick(canvas, cell_left(1), [(2.5, 8.5), (8.0, 13.5), (18.5, 2.5)], 1.6, TICK_GREEN)
    draw_box(canvas, cell_left(2), (0xE6, 0xEA, 0xED), (0x83, 0x92, 0x9D), 0xFF)
    # Cells 3 and 4: a small tick of about 11 x 11 inside the box area.
    small_tick = [(3.5, 8.5), (7.0, 12.0), (13.5, 4.0)]
    draw_tick(canvas, cell_left(3), small_tick, 1.1, TICK_GREEN)
    draw_tick(canvas, cell_left(4), small_tick, 1.1, TICK_GREEN)
    draw_box(canvas, cell_left(5), (0xE9, 0xE9, 0xE9), (0x90, 0x90, 0x90), 191)
    draw_box(canvas, cell_left(6), (0xD0, 0xD8, 0xDD), (0x83, 0x92, 0x9D), 0xFF)
    for x in SEPARATORS:
        for y in range(HEIGHT):
            canvas[y][x] = MAGENTA
    return canvas


def png_bytes(canvas):
    """An RGBA PNG of rows of (r, g, b, a) pixels."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in canvas)
    header = struct.pack(">IIBBBBB", len(canvas[0]), len(canvas), 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "glyph_strip.png")
    with open(out, "wb") as f:
        f.write(png_bytes(draw_strip()))


if __name__ == "__main__":
    main()
