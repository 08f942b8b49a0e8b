#!/usr/bin/env python3
"""Draws the tara button's icon: a balance scale (post, beam and two pans)
in dark grey on a transparent background, written as an RGBA PNG. Pure
standard library, supersampled for smooth edges.
Usage: make_scale_icon.py OUTPUT.png [SIZE]"""
import sys

import pngfile

COLOUR = (60, 64, 72)


def coverage(size):
    ss = 4
    n = size * ss
    shapes = []

    def rect(x0, y0, x1, y1):
        shapes.append(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1)

    def pan(cx, top, half):
        # A bowl: the lower half of an ellipse below the hanging point.
        shapes.append(lambda x, y: y >= top and ((x - cx) / half) ** 2 + ((y - top) / 0.12) ** 2 <= 1.0)

    def line(x0, y0, x1, y1, w):
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= w * w
        shapes.append(inside)

    rect(0.47, 0.16, 0.53, 0.84)          # post
    rect(0.30, 0.82, 0.70, 0.88)          # foot
    rect(0.12, 0.22, 0.88, 0.27)          # beam
    shapes.append(lambda x, y: (x - 0.5) ** 2 + (y - 0.15) ** 2 <= 0.05 ** 2)  # knob
    for cx in (0.22, 0.78):
        line(cx, 0.26, cx - 0.12, 0.56, 0.015)
        line(cx, 0.26, cx + 0.12, 0.56, 0.015)
        pan(cx, 0.56, 0.15)

    result = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = 0
            for sy in range(ss):
                fy = (y * ss + sy + 0.5) / n
                for sx in range(ss):
                    fx = (x * ss + sx + 0.5) / n
                    if any(shape(fx, fy) for shape in shapes):
                        hits += 1
            row.append(hits / (ss * ss))
        result.append(row)
    return result


def write_png(path, size, cover):
    raw = bytearray()
    for row in cover:
        raw.append(0)
        for alpha in row:
            raw += bytes(COLOUR) + bytes([int(round(alpha * 255))])

    pngfile.write_png(path, size, size, raw, alpha=True)


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    size = int(argv[2]) if len(argv) > 2 else 64
    write_png(argv[1], size, coverage(size))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
