#!/usr/bin/env python3
"""Draws drvpurge.ico: a printer with a red cross, at 16 and 32 pixels.

The icon is drawn from code so it can be changed without an image editor:
  python3 make_icon.py drvpurge.ico
"""
import struct
import sys

TRANSPARENT = None
PAPER = (250, 250, 250)
BODY = (70, 90, 120)
TRAY = (40, 50, 70)
CROSS = (210, 30, 30)


def pixel(x, y, n):
    """Colour at (x, y) of an n-by-n icon, y growing downwards."""
    u, v = x / n, y / n
    # A red cross over everything else, two strokes of about 1/8 width.
    if 0.45 <= u <= 0.98 and 0.45 <= v <= 0.98:
        du, dv = u - 0.45, v - 0.45
        if abs(du - dv) < 0.07 or abs(du + dv - 0.53) < 0.07:
            return CROSS
    if 0.25 <= u <= 0.75 and 0.05 <= v <= 0.40:
        return PAPER
    if 0.05 <= u <= 0.95 and 0.35 <= v <= 0.75:
        return BODY
    if 0.20 <= u <= 0.80 and 0.75 < v <= 0.90:
        return TRAY
    return TRANSPARENT


def image(n):
    """One BITMAPINFOHEADER image: 32-bit colour rows, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_row_bytes = ((n + 31) // 32) * 4
    for y in reversed(range(n)):  # bitmaps store the bottom row first
        row_mask = bytearray(mask_row_bytes)
        for x in range(n):
            c = pixel(x, y, n)
            if c is TRANSPARENT:
                colour += bytes((0, 0, 0, 0))
                row_mask[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = c
                colour += bytes((b, g, r, 255))
        mask += row_mask
    return header + bytes(colour) + bytes(mask)


def icon(sizes):
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "drvpurge.ico", "wb") as f:
        f.write(icon([16, 32]))
