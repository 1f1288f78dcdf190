#!/usr/bin/env python3
"""Draws Druno's images pixel by pixel and writes them to res/images/.

The pictures are 16-colour art on the standard 16-colour palette: the digit strip (bitmap 130),
the command-bar images (bitmap 128) as BMP files, and the program's icon at 32 and 16 pixels
as palette PNG files whose silver is transparent. Run it from anywhere; it needs only Python.

    python3 tools/imagegen/imagegen.py
"""

import os
import struct
import zlib

# The standard 16-colour palette, keyed by the letters the drawings below use.
PALETTE = [
    ("k", (0x00, 0x00, 0x00)),  # black
    ("M", (0x80, 0x00, 0x00)),  # maroon
    ("g", (0x00, 0x80, 0x00)),  # green
    ("o", (0x80, 0x80, 0x00)),  # olive
    ("n", (0x00, 0x00, 0x80)),  # navy
    ("p", (0x80, 0x00, 0x80)),  # purple
    ("t", (0x00, 0x80, 0x80)),  # teal
    (".", (0xC0, 0xC0, 0xC0)),  # silver: the background of button images and icons
    ("G", (0x80, 0x80, 0x80)),  # gray
    ("r", (0xFF, 0x00, 0x00)),  # red
    ("l", (0x00, 0xFF, 0x00)),  # lime
    ("y", (0xFF, 0xFF, 0x00)),  # yellow
    ("B", (0x00, 0x00, 0xFF)),  # blue
    ("f", (0xFF, 0x00, 0xFF)),  # fuchsia
    ("a", (0x00, 0xFF, 0xFF)),  # aqua
    ("w", (0xFF, 0xFF, 0xFF)),  # white
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}
TRANSPARENT = INDEX["."]


class Canvas:
    def __init__(self, width, height, fill="."):
        self.width = width
        self.height = height
        self.pixels = [[INDEX[fill]] * width for _ in range(height)]

    def set(self, x, y, letter):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = INDEX[letter]

    def rect(self, x, y, w, h, letter):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, letter)

    # Draws a picture given as rows of letters; "-" leaves the pixel as it is.
    def draw(self, x, y, rows, colour=None):
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter == "-" or (colour and letter == "."):
                    continue
                self.set(x + dx, y + dy, colour if colour else letter)

    # Scales a glyph of "#" and "." by an integer factor.
    def glyph(self, x, y, rows, colour, scale=1):
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter == "#":
                    self.rect(x + dx * scale, y + dy * scale, scale, scale, colour)


# Digits of 8 x 14 pixels with strokes two pixels wide.
DIGITS = [
    ["..####..", ".##..##.", "##....##", "##....##", "##....##", "##....##", "##....##",
     "##....##", "##....##", "##....##", "##....##", "##....##", ".##..##.", "..####.."],
    ["...##...", "..###...", ".####...", "##.##...", "...##...", "...##...", "...##...",
     "...##...", "...##...", "...##...", "...##...", "...##...", "...##...", ".######."],
    ["..####..", ".##..##.", "##....##", "......##", "......##", ".....##.", "....##..",
     "...##...", "..##....", ".##.....", "##......", "##......", "##......", "########"],
    ["..####..", ".##..##.", "##....##", "......##", "......##", ".....##.", "...###..",
     ".....##.", "......##", "......##", "......##", "##....##", ".##..##.", "..####.."],
    [".....##.", "....###.", "...####.", "..##.##.", ".##..##.", "##...##.", "##...##.",
     "########", "########", ".....##.", ".....##.", ".....##.", ".....##.", ".....##."],
    ["########", "##......", "##......", "##......", "##.###..", "###..##.", "......##",
     "......##", "......##", "......##", "##....##", "##....##", ".##..##.", "..####.."],
    ["...###..", "..##....", ".##.....", "##......", "##......", "##.###..", "###..##.",
     "##....##", "##....##", "##....##", "##....##", "##....##", ".##..##.", "..####.."],
    ["########", "......##", "......##", ".....##.", ".....##.", "....##..", "....##..",
     "...##...", "...##...", "..##....", "..##....", "..##....", "..##....", "..##...."],
    ["..####..", ".##..##.", "##....##", "##....##", "##....##", ".##..##.", "..####..",
     ".##..##.", "##....##", "##....##", "##....##", "##....##", ".##..##.", "..####.."],
    ["..####..", ".##..##.", "##....##", "##....##", "##....##", "##....##", "##....##",
     ".##..###", "..###.##", "......##", "......##", ".....##.", "....##..", "..###..."],
]

# The delete cell: an arrow pointing left, 12 x 9.
ARROW = ["....#.......", "...##.......", "..###.......", ".###########", "############",
         ".###########", "..###.......", "...##.......", "....#......."]

QUESTION = [".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##.."]

CELL = 20
STRIP_HEIGHT = 25


def digit_strip():
    """Bitmap 130: eleven 20-pixel cells, each a dark green field in a bright green frame."""
    canvas = Canvas(11 * CELL, STRIP_HEIGHT, "l")
    for cell in range(11):
        left = cell * CELL
        canvas.rect(left + 1, 1, CELL - 2, STRIP_HEIGHT - 2, "g")
        if cell < 10:
            canvas.glyph(left + 6, 6, DIGITS[cell], "w")
        else:
            canvas.glyph(left + 4, 8, ARROW, "w")
    return canvas


def new_game_image(canvas, x):
    """A fresh round: a digit cell with a question mark and a yellow spark."""
    canvas.rect(x + 0, 4, 12, 12, "l")
    canvas.rect(x + 1, 5, 10, 10, "g")
    canvas.glyph(x + 3, 6, QUESTION, "w")
    canvas.draw(x + 11, 0, ["y.y.y", ".yyy.", "yyyyy", ".yyy.", "y.y.y"], None)


def options_image(canvas, x):
    """Settings: three sliders with their knobs at different places."""
    for top, knob in ((0, 2), (5, 9), (10, 5)):
        canvas.rect(x + 0, top + 2, 16, 1, "k")
        canvas.draw(x + knob, top, ["nnn", "nBn", "nBn", "nBn", "nnn"])


def statistics_image(canvas, x):
    """Statistics: a bar chart, red, green and blue bars on a black base line."""
    for left, top, fill in ((1, 8, "r"), (6, 4, "g"), (11, 1, "B")):
        canvas.rect(x + left, top, 4, 15 - top, "k")
        canvas.rect(x + left + 1, top + 1, 2, 14 - top, fill)
    canvas.rect(x + 0, 15, 16, 1, "k")


def about_image(canvas, x):
    """About: a blue disc with a white letter i."""
    for y in range(16):
        for xx in range(16):
            d = ((xx - 7.5) ** 2 + (y - 7.5) ** 2) ** 0.5
            if d <= 6.6:
                canvas.set(x + xx, y, "B")
            elif d <= 7.8:
                canvas.set(x + xx, y, "n")
    canvas.rect(x + 7, 3, 2, 2, "w")
    canvas.rect(x + 7, 6, 2, 6, "w")
    canvas.rect(x + 6, 6, 1, 1, "w")
    canvas.rect(x + 6, 12, 4, 1, "w")


def toolbar():
    """Bitmap 128: New Game, Options, Statistics, About, 16 x 16 each; silver shows through."""
    canvas = Canvas(64, 16)
    new_game_image(canvas, 0)
    options_image(canvas, 16)
    statistics_image(canvas, 32)
    about_image(canvas, 48)
    return canvas


def icon(size):
    """Icon 128: a digit cell of the game with a question mark, corners rounded off."""
    canvas = Canvas(size, size)
    scale = size // 16
    border = scale
    canvas.rect(0, 0, size, size, "l")
    canvas.rect(border, border, size - 2 * border, size - 2 * border, "g")
    for cx, cy in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        canvas.set(cx, cy, ".")
    if size >= 32:
        for cx, cy in ((1, 0), (0, 1), (size - 2, 0), (size - 1, 1), (0, size - 2),
                       (1, size - 1), (size - 1, size - 2), (size - 2, size - 1)):
            canvas.set(cx, cy, ".")
    factor = 3 if size >= 32 else 1
    glyph_w, glyph_h = 6 * factor, 8 * factor
    canvas.glyph((size - glyph_w) // 2, (size - glyph_h) // 2, QUESTION, "w", factor)
    return canvas


def write_bmp(path, canvas):
    """A 4-bit BMP with the 16-colour palette, rows bottom-up, each padded to 4 bytes."""
    row_bytes = ((canvas.width * 4 + 31) // 32) * 4
    pixel_data = bytearray()
    for row in reversed(canvas.pixels):
        packed = bytearray()
        for i in range(0, canvas.width, 2):
            high = row[i]
            low = row[i + 1] if i + 1 < canvas.width else 0
            packed.append((high << 4) | low)
        packed.extend(b"\0" * (row_bytes - len(packed)))
        pixel_data.extend(packed)
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0,
                       len(pixel_data), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixel_data)


def png_chunk(kind, data):
    chunk = kind + data
    return struct.pack(">I", len(data)) + chunk + struct.pack(">I", zlib.crc32(chunk))


def write_png(path, canvas):
    """A 4-bit palette PNG; the silver entry is fully transparent."""
    raw = bytearray()
    for row in canvas.pixels:
        raw.append(0)
        for i in range(0, canvas.width, 2):
            high = row[i]
            low = row[i + 1] if i + 1 < canvas.width else 0
            raw.append((high << 4) | low)
    ihdr = struct.pack(">IIBBBBB", canvas.width, canvas.height, 4, 3, 0, 0, 0)
    plte = b"".join(bytes(rgb) for _, rgb in PALETTE)
    trns = bytes(0 if i == TRANSPARENT else 255 for i in range(len(PALETTE)))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(png_chunk(b"IHDR", ihdr))
        f.write(png_chunk(b"PLTE", plte))
        f.write(png_chunk(b"tRNS", trns))
        f.write(png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(png_chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.normpath(os.path.join(here, "..", "..", "res", "images"))
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "numbers.bmp"), digit_strip())
    write_bmp(os.path.join(out, "toolbar.bmp"), toolbar())
    write_png(os.path.join(out, "druno32.png"), icon(32))
    write_png(os.path.join(out, "druno16.png"), icon(16))


if __name__ == "__main__":
    main()
