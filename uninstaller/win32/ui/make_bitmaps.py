#!/usr/bin/env python3
"""Draws the wizard's and dialogs' bitmaps as 8-bit palette BMP files.

  python3 make_bitmaps.py OUTPUT_DIR

checkboxes.bmp  the strip of five 16x16 check-box images (the first unused)
side.bmp        the picture at the left of the wizard pages and the last dialog
ok.bmp, exit.bmp, back.bmp, next.bmp   the 16x16 button images

Light grey (192, 192, 192) is the background everywhere: the tree makes it
transparent and the buttons load it as the button face colour.
"""
import os
import struct
import sys

GREY = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK = (128, 128, 128)
FRAME = (64, 64, 64)
TICK = (0, 0, 0)
GREEN = (0, 128, 0)
RED = (192, 0, 0)
BLUE = (0, 0, 160)


class Canvas:
    def __init__(self, width, height, fill=GREY):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills x0..x1, y0..y1 inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour, thick=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(thick):
                for dy in range(thick):
                    self.set(x + dx, y + dy, colour)

    def paste(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.set(ox + x, oy + y, other.px[y][x])


def check_box(kind):
    """One 16x16 box: 0 unused, 1 empty, 2 ticked, 3 greyed, 4 partly ticked."""
    c = Canvas(16, 16)
    if kind == 0:
        return c
    inner = DARK if kind == 3 else WHITE
    c.rect(2, 2, 14, 14, inner)
    c.frame(2, 2, 14, 14, FRAME)
    if kind in (2, 3):
        mark = (224, 224, 224) if kind == 3 else TICK
        c.line(4, 8, 6, 10, mark, 2)
        c.line(6, 10, 11, 5, mark, 2)
    if kind == 4:
        c.rect(5, 5, 11, 11, DARK)
    return c


def checkboxes():
    strip = Canvas(80, 16)
    for i in range(5):
        strip.paste(check_box(i), 16 * i, 0)
    return strip


def side_picture():
    """A tall panel: a blue gradient, a printer and a red arrow out of it."""
    w, h = 122, 316
    c = Canvas(w, h)
    for y in range(h):
        t = y / (h - 1)
        colour = (int(20 + 40 * t), int(60 + 90 * t), int(140 + 100 * t))
        for x in range(w):
            c.set(x, y, colour)
    # Printer: paper, body, tray.
    c.rect(38, 96, 84, 130, WHITE)
    for y in range(104, 128, 6):
        c.line(44, y, 78, y, DARK)
    c.rect(22, 126, 100, 170, (70, 80, 100))
    c.frame(22, 126, 100, 170, BLACK)
    c.rect(30, 150, 92, 156, (40, 45, 60))
    c.rect(86, 134, 92, 140, (40, 200, 40))
    c.rect(34, 170, 88, 180, (50, 55, 70))
    # A red cross over the lower right of the printer.
    c.line(66, 176, 104, 214, RED, 5)
    c.line(104, 176, 66, 214, RED, 5)
    c.frame(0, 0, w - 1, h - 1, FRAME)
    return c


def ok_image():
    c = Canvas(16, 16)
    c.line(2, 8, 6, 12, GREEN, 2)
    c.line(6, 12, 13, 3, GREEN, 2)
    return c


def exit_image():
    c = Canvas(16, 16)
    c.line(3, 3, 12, 12, RED, 2)
    c.line(12, 3, 3, 12, RED, 2)
    return c


def arrow_image(right):
    c = Canvas(16, 16)
    for i in range(7):
        x = (2 + i) if not right else (13 - i)
        c.line(x, 8 - i, x, 7 + i, BLUE)
    if right:
        c.rect(2, 6, 8, 9, BLUE)
    else:
        c.rect(7, 6, 13, 9, BLUE)
    return c


def bmp(canvas):
    """An 8-bit BMP with the canvas's colours as its palette."""
    colours = []
    index = {}
    for row in canvas.px:
        for p in row:
            if p not in index:
                index[p] = len(colours)
                colours.append(p)
    if GREY not in index:
        index[GREY] = len(colours)
        colours.append(GREY)
    if len(colours) > 256:
        raise ValueError("more than 256 colours")
    row_bytes = (canvas.width + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(canvas.height)):  # bottom row first
        row = bytes(index[p] for p in canvas.px[y])
        pixels += row + bytes(row_bytes - canvas.width)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(pixels), 2835, 2835,
                       len(colours), 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + palette + bytes(pixels)


IMAGES = {
    "checkboxes.bmp": checkboxes,
    "side.bmp": side_picture,
    "ok.bmp": ok_image,
    "exit.bmp": exit_image,
    "back.bmp": lambda: arrow_image(False),
    "next.bmp": lambda: arrow_image(True),
}

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    for name, draw in IMAGES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp(draw()))
