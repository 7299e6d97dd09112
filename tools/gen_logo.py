#!/usr/bin/env python3
"""Writes res/logo.bmp, the About window's 110 x 83 picture: a few coloured
stars with fading trails crossing a dark night ground, as the saver shows them.

Deterministic: only +, -, * and / on floats (exactly rounded everywhere), no
random module, no libm calls, so every run on every machine writes the same
bytes.

    tools/gen_logo.py [output file, default: res/logo.bmp]
"""

import os
import sys

from gen_noise_bitmaps import bmp_bytes

WIDTH = 110
HEIGHT = 83

# (head x, head y, direction x, direction y, trail length, head size, colour)
STARS = [
    (78.0, 22.0, 1.0, 0.0, 60.0, 3.2, (255, 190, 90)),
    (30.0, 60.0, 0.0, 1.0, 44.0, 2.6, (120, 200, 255)),
    (92.0, 64.0, -1.0, 0.0, 50.0, 2.4, (255, 110, 200)),
    (52.0, 38.0, 0.0, -1.0, 34.0, 2.0, (150, 255, 160)),
    (18.0, 14.0, 1.0, 0.0, 16.0, 1.6, (230, 230, 255)),
]


def ground(x, y):
    """Night ground: deep blue at the top fading to near black at the bottom."""
    t = y / (HEIGHT - 1)
    return (14.0 - 8.0 * t, 18.0 - 10.0 * t, 52.0 - 34.0 * t)


def star_light(star, x, y):
    """Brightness 0..1 of one star at pixel (x, y): a soft square head and a
    trail behind it (against its direction of travel) that fades linearly."""
    hx, hy, dx, dy, length, size, _ = star
    px, py = x + 0.5 - hx, y + 0.5 - hy
    along = px * dx + py * dy        # ahead of the head is positive
    across = px * dy - py * dx
    # Head: a rational falloff keeps the maths free of exp().
    r2 = (px * px + py * py) / (size * size)
    head = 1.0 / (1.0 + r2 * r2)
    trail = 0.0
    if -length <= along <= 0.0:
        width = size * 0.55
        a = across / width
        fade = 1.0 + along / length
        trail = fade * fade / (1.0 + a * a * a * a) * 0.8
    return head if head > trail else trail


def pixels():
    """Rows top to bottom, each pixel (r, g, b)."""
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            r, g, b = ground(x, y)
            for star in STARS:
                light = star_light(star, x, y)
                cr, cg, cb = star[6]
                # Additive, as the saver blends its stars.
                r += cr * light
                g += cg * light
                b += cb * light
            row.append(tuple(min(255, int(c + 0.5)) for c in (r, g, b)))
        rows.append(row)
    # A one-pixel frame so the picture sits crisply on the pale green window.
    for x in range(WIDTH):
        rows[0][x] = rows[HEIGHT - 1][x] = (40, 60, 110)
    for y in range(HEIGHT):
        rows[y][0] = rows[y][WIDTH - 1] = (40, 60, 110)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res', 'logo.bmp')
    with open(out, 'wb') as f:
        f.write(bmp_bytes(pixels()))


if __name__ == '__main__':
    main()
