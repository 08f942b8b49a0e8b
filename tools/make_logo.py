#!/usr/bin/env python3
"""Draws Ovra's logo (a trampoline bed seen from above with a flight arc and
a landing mark) and writes it as a PNG. Pure standard library, supersampled
for smooth edges. Usage: make_logo.py OUTPUT.png [SIZE]"""
import math
import sys

import pngfile

def render(size):
    ss = 3
    n = size * ss
    bg = (250, 250, 252)
    px = [[bg for _ in range(n)] for _ in range(n)]

    def fill(pred, colour):
        for y in range(n):
            fy = (y + 0.5) / n
            row = px[y]
            for x in range(n):
                if pred((x + 0.5) / n, fy):
                    row[x] = colour

    # Frame and bed (rounded rectangles), in unit coordinates.
    def rrect(x0, y0, x1, y1, r):
        def inside(x, y):
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
        return inside

    fill(rrect(0.08, 0.50, 0.92, 0.90, 0.05), (34, 60, 110))
    fill(rrect(0.13, 0.54, 0.87, 0.86, 0.03), (60, 140, 210))
    # Central zone lines.
    fill(lambda x, y: 0.54 <= y <= 0.86 and (abs(x - 0.38) < 0.004 or abs(x - 0.62) < 0.004), (230, 240, 250))
    fill(lambda x, y: 0.13 <= x <= 0.87 and abs(y - 0.70) < 0.004, (230, 240, 250))
    # Flight path: a dotted parabola that leaves the bed and comes back to
    # the landing mark, with the athlete as a disc at its top.
    dots = []
    for k in range(11):
        t = -1 + 2 * k / 10
        dots.append((0.41 + 0.11 * t, 0.66 - 0.48 * (1 - t * t)))
    fill(lambda x, y: any((x - dx) ** 2 + (y - dy) ** 2 < 0.016 ** 2 for dx, dy in dots), (240, 140, 40))
    fill(lambda x, y: (x - 0.41) ** 2 + (y - 0.12) ** 2 < 0.06 ** 2, (34, 60, 110))
    # Landing mark.
    fill(lambda x, y: (x - 0.52) ** 2 + (y - 0.70) ** 2 < 0.045 ** 2, (240, 140, 40))
    fill(lambda x, y: (x - 0.52) ** 2 + (y - 0.70) ** 2 < 0.022 ** 2, (255, 255, 255))

    out = []
    for y in range(size):
        line = bytearray([0])
        for x in range(size):
            acc = [0, 0, 0]
            for dy in range(ss):
                for dx in range(ss):
                    c = px[y * ss + dy][x * ss + dx]
                    acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]
            line += bytes(v // (ss * ss) for v in acc)
        out.append(bytes(line))
    return b"".join(out)

def write_png(path, size, raw):
    pngfile.write_png(path, size, size, raw, alpha=False)

if __name__ == "__main__":
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 256
    write_png(sys.argv[1], size, render(size))
