#!/usr/bin/env python3
"""Draws the pictures of the self-diagnosis dialog: the computer, the master
box (connected and disconnected) and the good and bad check marks, as RGBA
PNGs on a transparent background. Pure standard library, supersampled for
smooth edges.
Usage: make_diagnosis_icons.py OUTPUT_DIR [SIZE]"""
import math
import os
import sys

import pngfile

SS = 4


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def segment(x0, y0, x1, y1, w):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= w * w
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                hit = not hit
        return hit
    return inside


def render(size, layers):
    """layers: list of (predicate, (r, g, b, a)); later layers cover earlier ones."""
    n = size * SS
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                fy = (y * SS + sy + 0.5) / n
                for sx in range(SS):
                    fx = (x * SS + sx + 0.5) / n
                    colour = None
                    for inside, c in layers:
                        if inside(fx, fy):
                            colour = c
                    if colour is not None:
                        a = colour[3] / 255.0
                        acc[0] += colour[0] * a
                        acc[1] += colour[1] * a
                        acc[2] += colour[2] * a
                        acc[3] += a
            samples = SS * SS
            alpha = acc[3] / samples
            if alpha > 0:
                rgb = [int(round(acc[k] / acc[3])) for k in range(3)]
            else:
                rgb = [0, 0, 0]
            raw += bytes(rgb) + bytes([int(round(alpha * 255))])
    return bytes(raw)


def write_png(path, size, raw):
    pngfile.write_png(path, size, size, raw, alpha=True)


DARK = (55, 60, 70, 255)
SCREEN = (60, 140, 210, 255)
LIGHT = (235, 238, 242, 255)


def computer():
    return [
        (rrect(0.06, 0.12, 0.94, 0.70, 0.05), DARK),
        (rrect(0.12, 0.18, 0.88, 0.63, 0.02), SCREEN),
        # A force curve on the screen.
        (lambda x, y: 0.16 <= x <= 0.84 and abs(y - (0.48 - 0.16 * math.exp(-((x - 0.5) / 0.08) ** 2))) < 0.018,
         LIGHT),
        (polygon([(0.44, 0.70), (0.56, 0.70), (0.60, 0.82), (0.40, 0.82)]), DARK),
        (rrect(0.26, 0.81, 0.74, 0.88, 0.03), DARK),
    ]


def relaybox(connected):
    body = (34, 60, 110, 255) if connected else (140, 144, 150, 255)
    panel = (60, 100, 160, 255) if connected else (185, 188, 192, 255)
    led = (60, 200, 90, 255) if connected else (220, 50, 50, 255)
    layers = [
        (rrect(0.06, 0.24, 0.94, 0.80, 0.06), body),
        (rrect(0.11, 0.30, 0.89, 0.74, 0.03), panel),
        (circle(0.80, 0.38, 0.045), led),
        # The USB socket on the left.
        (rrect(0.015, 0.44, 0.10, 0.56, 0.01), DARK),
    ]
    # Eight sensor sockets, four per trampoline.
    for k in range(8):
        cx = 0.19 + k * 0.088 + (0.04 if k >= 4 else 0.0)
        layers.append((circle(cx, 0.62, 0.032), LIGHT))
        layers.append((circle(cx, 0.62, 0.016), DARK))
    if not connected:
        layers.append((segment(0.14, 0.16, 0.86, 0.88, 0.035), (220, 50, 50, 235)))
    return layers


def confirm():
    return [
        (circle(0.5, 0.5, 0.46), (46, 157, 74, 255)),
        (segment(0.27, 0.52, 0.43, 0.68, 0.055), (255, 255, 255, 255)),
        (segment(0.43, 0.68, 0.74, 0.34, 0.055), (255, 255, 255, 255)),
    ]


def dismiss():
    return [
        (circle(0.5, 0.5, 0.46), (208, 48, 48, 255)),
        (segment(0.32, 0.32, 0.68, 0.68, 0.055), (255, 255, 255, 255)),
        (segment(0.68, 0.32, 0.32, 0.68, 0.055), (255, 255, 255, 255)),
    ]


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    out = argv[1]
    size = int(argv[2]) if len(argv) > 2 else 96
    os.makedirs(out, exist_ok=True)
    pictures = {
        "computer.png": (computer(), size),
        "relaybox.png": (relaybox(True), size),
        "relaybox-disconnected.png": (relaybox(False), size),
        "confirm_button.png": (confirm(), size // 2),
        "dismiss_button.png": (dismiss(), size // 2),
    }
    for name, (layers, s) in pictures.items():
        write_png(os.path.join(out, name), s, render(s, layers))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
