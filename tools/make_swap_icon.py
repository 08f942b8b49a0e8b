#!/usr/bin/env python3
"""Draws the swap icon of the result widgets (an arrow up beside an arrow
down) and writes it as a PNG with transparency. Pure standard library,
supersampled for smooth edges. Usage: make_swap_icon.py OUTPUT.png [SIZE]"""
import sys

import pngfile


def inside_arrow(x, y, cx, up):
    # Unit coordinates; a shaft and a triangular head.
    if not up:
        y = 1.0 - y
    head_top, head_bottom, half_head, half_shaft = 0.10, 0.45, 0.17, 0.055
    if head_top <= y <= head_bottom:
        half = half_head * (y - head_top) / (head_bottom - head_top)
        if abs(x - cx) <= half:
            return True
    return head_bottom <= y <= 0.90 and abs(x - cx) <= half_shaft


def render(size):
    ss = 4
    colour = (60, 60, 70)
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            hits = 0
            for sy in range(ss):
                for sx in range(ss):
                    x = (px + (sx + 0.5) / ss) / size
                    y = (py + (sy + 0.5) / ss) / size
                    if inside_arrow(x, y, 0.32, True) or inside_arrow(x, y, 0.68, False):
                        hits += 1
            alpha = round(255 * hits / (ss * ss))
            row += bytes(colour) + bytes([alpha])
        rows.append(bytes(row))
    return rows


def write_png(path, rows, size):
    pngfile.write_png(path, size, size, b"".join(b"\x00" + r for r in rows), alpha=True)


if __name__ == "__main__":
    out = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 48
    write_png(out, render(size), size)
