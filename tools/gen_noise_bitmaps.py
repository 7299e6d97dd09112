#!/usr/bin/env python3
"""Writes the eight noise bitmaps res/noise_128.bmp ... res/noise_1.bmp.

Deterministic: the same bytes on every run and every Python version, since
the generator below is our own and not the random module. Each level is an
image of its own (not a reduction of the larger one); the red, green and blue
channels are independent and spread over the whole byte range around 128.
The 1 x 1 level is fixed to (209, 41, 217).

    tools/gen_noise_bitmaps.py [output directory, default: res/]

Prints a checksum of every texel of the chain as the program sees it (each
channel as a 32-bit float c / 255, alpha 1.0, rows bottom-up, smallest level
first), for the tests that compare the decoded texture on both platforms.
"""

import os
import struct
import sys

SIZES = [128, 64, 32, 16, 8, 4, 2, 1]
ONE_PIXEL = (209, 41, 217)
MASK64 = (1 << 64) - 1


class SplitMix64:
    def __init__(self, seed):
        self.state = seed & MASK64

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK64
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK64
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK64
        return z ^ (z >> 31)

    def byte(self):
        return self.next() >> 56


def noise_pixels(size):
    """Rows top to bottom, each pixel (r, g, b)."""
    if size == 1:
        return [[ONE_PIXEL]]
    rng = SplitMix64(0x5155494C4C4F4D00 + size)  # "QUILLOM" + level size
    return [[(rng.byte(), rng.byte(), rng.byte()) for _ in range(size)] for _ in range(size)]


def bmp_bytes(rows):
    """A 24-bit uncompressed BMP, stored bottom-up as the format's default."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    image = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        image += line
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + bytes(image)


def texel_checksum(levels):
    """FNV-1a (64-bit) over the float bits of every texel, smallest level first."""
    h = 0xCBF29CE484222325
    for rows in levels:
        for row in reversed(rows):  # texture row 0 is the picture's bottom row
            for pixel in row:
                for value in (pixel[0] / 255.0, pixel[1] / 255.0, pixel[2] / 255.0, 1.0):
                    for byte in struct.pack('<f', value):
                        h = ((h ^ byte) * 0x100000001B3) & MASK64
    return h


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res')
    levels = []
    for size in SIZES:
        rows = noise_pixels(size)
        levels.append(rows)
        with open(os.path.join(out_dir, 'noise_%d.bmp' % size), 'wb') as f:
            f.write(bmp_bytes(rows))
    print('texel checksum 0x%016X' % texel_checksum(reversed(levels)))


if __name__ == '__main__':
    main()
