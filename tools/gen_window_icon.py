#!/usr/bin/env python3
"""Draws the monitor icon: the 64x64 window icon, written to
base/window_icon_data.inc (RGBA, column by column, as the program keeps it), and
the file and desktop icons at 16, 24, 32, 48, 64 and 256 pixels, each laid out
for its own size, written to res/quillomar.ico and res/icons/quillomar-N.png."""
import os
import struct
import zlib

SIZE = 64
CLEAR = (0, 0, 0, 0)
FRAME = (72, 194, 255, 255)
MARGIN = (214, 214, 214, 255)
RED = (255, 72, 72, 255)
GREEN = (0, 217, 70, 255)
BLUE = (72, 72, 255, 255)
YELLOW = (240, 240, 0, 255)
PANEL = (150, 150, 150, 255)
DOT = (70, 70, 70, 255)


def draw():
    img = [[CLEAR] * SIZE for _ in range(SIZE)]  # img[y][x]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = colour

    fill(0, 6, 63, 53, FRAME)
    fill(4, 10, 59, 49, MARGIN)
    fill(7, 14, 29, 28, RED)
    fill(34, 14, 56, 28, GREEN)
    fill(7, 32, 29, 46, BLUE)
    fill(34, 32, 56, 46, YELLOW)
    fill(46, 51, 59, 53, PANEL)
    for x in (48, 51, 54, 57):
        img[52][x] = DOT
    fill(25, 54, 38, 59, FRAME)   # neck, 14 wide
    fill(14, 60, 49, 63, FRAME)   # foot, 36 wide

    # Soften the outline: rounded corners and a faint fringe where the shape
    # meets the transparent ground.
    def soften(x, y, alpha):
        r, g, b, _ = img[y][x]
        img[y][x] = (r, g, b, alpha)

    for x, y in ((0, 6), (63, 6), (0, 53), (63, 53), (14, 60), (49, 60)):
        soften(x, y, 96)
    for x, y in ((1, 6), (62, 6), (0, 7), (63, 7), (1, 53), (62, 53), (0, 52), (63, 52)):
        soften(x, y, 192)
    for y in range(54, 60):
        img[y][24] = (FRAME[0], FRAME[1], FRAME[2], 64)
        img[y][39] = (FRAME[0], FRAME[1], FRAME[2], 64)
    for y in range(61, 64):
        img[y][13] = (FRAME[0], FRAME[1], FRAME[2], 64)
        img[y][50] = (FRAME[0], FRAME[1], FRAME[2], 64)
    return img



# Pixel layouts of the other sizes, inclusive rectangles (x0, y0, x1, y1). The
# small ones are drawn on their own grid: one-pixel borders, wider gaps between
# the quadrants, no dot panel where it would only be noise.
LAYOUTS = {
    16: dict(frame=(0, 2, 15, 12), margin=(1, 3, 14, 11),
             quads=((2, 4, 6, 6), (9, 4, 13, 6), (2, 8, 6, 10), (9, 8, 13, 10)),
             panel=None, dots=(), neck=(6, 13, 9, 13), foot=(3, 14, 12, 15), radius=0.7),
    24: dict(frame=(0, 3, 23, 19), margin=(1, 4, 22, 18),
             quads=((3, 5, 10, 10), (13, 5, 20, 10), (3, 12, 10, 17), (13, 12, 20, 17)),
             panel=None, dots=(), neck=(9, 20, 14, 21), foot=(5, 22, 18, 23), radius=1.0),
    32: dict(frame=(0, 3, 31, 26), margin=(2, 5, 29, 24),
             quads=((3, 7, 14, 14), (17, 7, 28, 14), (3, 16, 14, 23), (17, 16, 28, 23)),
             panel=(23, 26, 29, 26), dots=((24, 26, 1), (26, 26, 1), (28, 26, 1)),
             neck=(12, 27, 19, 29), foot=(7, 30, 24, 31), radius=1.2),
    48: dict(frame=(0, 5, 47, 40), margin=(3, 8, 44, 37),
             quads=((5, 10, 21, 21), (26, 10, 42, 21), (5, 24, 21, 35), (26, 24, 42, 35)),
             panel=(34, 38, 44, 40), dots=((36, 39, 1), (38, 39, 1), (40, 39, 1), (42, 39, 1)),
             neck=(19, 41, 28, 44), foot=(10, 45, 37, 47), radius=1.6),
    256: dict(frame=(0, 24, 255, 215), margin=(16, 40, 239, 199),
              quads=((28, 56, 119, 115), (136, 56, 227, 115), (28, 128, 119, 187), (136, 128, 227, 187)),
              panel=(184, 204, 239, 213), dots=((190, 207, 4), (202, 207, 4), (214, 207, 4), (226, 207, 4)),
              neck=(100, 216, 155, 239), foot=(56, 240, 199, 255), radius=10.0),
}
SUPERSAMPLE = 4


def draw_layout(size):
    """Paints the layout with rounded outer corners; edges are covered by
    supersampling, so the outline is soft at every size."""
    lay = LAYOUTS[size]
    img = [[CLEAR] * size for _ in range(size)]

    def coverage(rect, radius, x, y):
        x0, y0, x1, y1 = rect[0], rect[1], rect[2] + 1, rect[3] + 1
        hits = 0
        for sy in range(SUPERSAMPLE):
            for sx in range(SUPERSAMPLE):
                px = x + (sx + 0.5) / SUPERSAMPLE
                py = y + (sy + 0.5) / SUPERSAMPLE
                if not (x0 <= px <= x1 and y0 <= py <= y1):
                    continue
                cx = min(max(px, x0 + radius), x1 - radius)
                cy = min(max(py, y0 + radius), y1 - radius)
                if (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius:
                    hits += 1
        return hits / (SUPERSAMPLE * SUPERSAMPLE)

    def paint(rect, colour, radius=0.0):
        if rect is None:
            return
        for y in range(rect[1], rect[3] + 1):
            for x in range(rect[0], rect[2] + 1):
                a = coverage(rect, radius, x, y) * colour[3] / 255.0
                if a <= 0:
                    continue
                r0, g0, b0, a0 = img[y][x]
                out = a + a0 / 255.0 * (1 - a)
                mix = [(c * a + c0 * a0 / 255.0 * (1 - a)) / out for c, c0 in zip(colour[:3], (r0, g0, b0))]
                img[y][x] = tuple(int(round(v)) for v in mix) + (int(round(out * 255)),)

    r = lay["radius"]
    paint(lay["neck"], FRAME)
    paint(lay["foot"], FRAME, r * 0.6)
    paint(lay["frame"], FRAME, r)
    paint(lay["margin"], MARGIN)
    for rect, colour in zip(lay["quads"], (RED, GREEN, BLUE, YELLOW)):
        paint(rect, colour)
    paint(lay["panel"], PANEL)
    for x, y, n in lay["dots"]:
        paint((x, y, x + n - 1, y + n - 1), DOT)
    return img


def picture(size):
    return draw() if size == SIZE else draw_layout(size)


def write_inc(img, path):
    lines = ["// Generated by tools/gen_window_icon.py; do not edit.",
             "// 64 x 64 RGBA, column by column: x = 0 first, each column top to bottom."]
    for x in range(SIZE):
        column = []
        for y in range(SIZE):
            column.extend(img[y][x])
        for i in range(0, len(column), 32):
            lines.append(",".join(str(v) for v in column[i:i + 32]) + ",")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def png_bytes(img):
    size = len(img)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in img)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(img):
    # A 32-bit DIB, rows bottom-up, BGRA, plus an all-zero AND mask.
    size = len(img)
    xor = bytearray()
    for y in reversed(range(size)):
        for r, g, b, a in img[y]:
            xor += bytes((b, g, r, a))
    mask = bytes(((size + 31) // 32 * 4) * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + mask


def write_ico(images, path):
    # The 256-pixel image as PNG, as Windows Vista and later expect; DIBs below.
    blobs = [png_bytes(img) if len(img) >= 256 else dib_bytes(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        n = len(img) % 256  # 0 means 256
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


ICON_SIZES = (16, 24, 32, 48, 64, 256)

if __name__ == "__main__":
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    images = [picture(n) for n in ICON_SIZES]
    write_inc(picture(SIZE), os.path.join(root, "base", "window_icon_data.inc"))
    write_ico(images, os.path.join(root, "res", "quillomar.ico"))
    os.makedirs(os.path.join(root, "res", "icons"), exist_ok=True)
    for n, img in zip(ICON_SIZES, images):
        with open(os.path.join(root, "res", "icons", "quillomar-%d.png" % n), "wb") as f:
            f.write(png_bytes(img))
