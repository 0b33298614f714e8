#!/usr/bin/env python3
"""Draws the service dialog's keyboard button picture as a 24-bit BMP.

The background is light grey (192, 192, 192): loaded with LR_LOADMAP3DCOLORS it
takes the button face colour of the running system.
"""
import struct
import sys

W, H = 36, 22
FACE = (192, 192, 192)
BODY = (56, 60, 68)
KEY = (250, 250, 250)


def draw():
    px = [[FACE] * W for _ in range(H)]

    def rect(x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][x] = c

    rect(1, 1, W - 1, H - 1, BODY)
    for corner_x, corner_y in ((1, 1), (W - 2, 1), (1, H - 2), (W - 2, H - 2)):
        px[corner_y][corner_x] = FACE
    # Three rows of keys, each row shifted a little like a real keyboard.
    for row, shift in enumerate((0, 1, 2)):
        y = 3 + row * 4
        x = 3 + shift
        while x + 3 <= W - 3:
            rect(x, y, x + 3, y + 3, KEY)
            x += 4
    rect(9, 15, W - 9, 18, KEY)  # space bar
    return px


def bmp(px):
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        line = b"".join(bytes((b, g, r)) for (r, g, b) in px[y])
        rows.append(line + b"\0" * (stride - len(line)))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "assets/keyboard.bmp"
    with open(out, "wb") as f:
        f.write(bmp(draw()))
