#!/usr/bin/env python3
"""Draws the program's small pictures and makes its pulse sound.

The outputs are committed in assets/; run this again after changing it.
"""
import math
import os
import struct
import wave

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")


def lamp(size, rgb, rim, transparent=(255, 0, 255)):
    """A round lamp on the transparent key colour, lit from the upper left."""
    pixels = []
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > r:
                row.append(transparent)
            elif d > r - 1.2:
                row.append(rim)
            else:
                glow = max(0.0, 1.0 - math.hypot(x - c + 2, y - c + 2) / r)
                row.append(tuple(min(255, int(v + (255 - v) * glow * 0.8)) for v in rgb))
        pixels.append(row)
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up rows
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        body += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def icon_image(size):
    """A coin with a rising pulse on it, 32-bit with alpha."""
    c = (size - 1) / 2.0
    r = size / 2.0 - 0.5
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if d > r:
                row.append((0, 0, 0, 0))
                continue
            shade = 1.0 - 0.35 * ((x + y) / (2.0 * size))
            if d > r - max(1.5, size / 12):
                row.append((int(150 * shade), int(110 * shade), 20, 255))
            else:
                row.append((int(240 * shade), int(190 * shade), int(50 * shade), 255))
        rows.append(row)
    # The pulse: low, a step up, high, a step down, low.
    t = max(1, size // 16)
    lo, hi = int(size * 0.66), int(size * 0.33)
    x0, x1, x2, x3 = int(size * 0.2), int(size * 0.4), int(size * 0.6), int(size * 0.8)
    dark = (60, 40, 10, 255)
    for x in range(x0, x3 + 1):
        y = hi if x1 <= x <= x2 else lo
        for k in range(t):
            rows[y + k][x] = dark
    for y in range(hi, lo + t):
        for k in range(t):
            rows[y][x1 + k] = dark
            rows[y][x2 + k] = dark
    return rows


def write_ico(path, sizes):
    images = []
    for size in sizes:
        rows = icon_image(size)
        xor = bytearray()
        for row in reversed(rows):
            for (r, g, b, a) in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray(mask_stride * size)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + xor + mask))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = bytearray()
    data = bytearray()
    for size, blob in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(header + directory + data)


def write_pulse_wav(path, rate=22050):
    """Two short rising tones: a coin taken."""
    samples = []
    for freq, ms in ((1318.5, 70), (1760.0, 110)):
        n = int(rate * ms / 1000)
        for i in range(n):
            env = min(1.0, i / (rate * 0.004)) * (1.0 - i / n) ** 1.5
            samples.append(int(12000 * env * math.sin(2 * math.pi * freq * i / rate)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples))


if __name__ == "__main__":
    write_bmp(os.path.join(ASSETS, "lamp_on.bmp"), lamp(12, (40, 200, 40), (10, 90, 10)))
    write_bmp(os.path.join(ASSETS, "lamp_off.bmp"), lamp(12, (70, 70, 70), (30, 30, 30)))
    write_ico(os.path.join(ASSETS, "kelvra.ico"), (16, 32, 48))
    write_pulse_wav(os.path.join(ASSETS, "pulse.wav"))
