#!/usr/bin/env python3
"""Draws the folder field's two button pictures and writes them as 16-colour
bitmaps: dir_glyph.bmp (classic look) and dir_glyph_xp.bmp (visual styles).

Python 3 standard library only:  python3 res/make_glyphs.py [output folder]

Both show an open folder seen from the front, 14 x 12 pixels; magenta is
transparent (the field draws them through a mask of that colour).
"""

import os
import struct
import sys

MAGENTA = (255, 0, 255)

# One letter per pixel; '.' is transparent.
CLASSIC_COLOURS = {
    '.': MAGENTA,
    'k': (0, 0, 0),        # outline
    'y': (255, 255, 0),    # folder
    'o': (128, 128, 0),    # front
}
CLASSIC = [
    "..............",
    ".kkkk.........",
    "kyyyyk........",
    "kyyyyykkkkkk..",
    "kyyyyyyyyyyk..",
    "kyyykkkkkkkkkk",
    "kyykoooooooook",
    "kykoooooooook.",
    "kykoooooooook.",
    "kkoooooooook..",
    "kkkkkkkkkkkk..",
    "..............",
]

XP_COLOURS = {
    '.': MAGENTA,
    'k': (189, 168, 96),   # khaki outline
    'y': (255, 239, 165),  # pale yellow folder
    'w': (255, 255, 255),  # highlight
    'p': (250, 204, 148),  # peach highlight
    's': (160, 160, 160),  # shadow
}
XP = [
    "..............",
    ".kkkk.........",
    "kwwwwk........",
    "kwyyyykkkkkk..",
    "kwyyyyyyyyyks.",
    "kwyykkkkkkkkkk",
    "kwykwwwwwwwwks",
    "kykwppppppppks",
    "kykwyyyyyyyks.",
    "kkwyyyyyyyyks.",
    "kkkkkkkkkkkks.",
    ".ssssssssssss.",
]


def bitmap(rows, colours):
    """A 4-bit BMP file (bottom row first) for the rows and their colours."""
    height, width = len(rows), len(rows[0])
    letters = sorted(colours, key=lambda c: (c != '.', c))
    palette = [colours[c] for c in letters] + [(0, 0, 0)] * (16 - len(letters))
    index = {c: i for i, c in enumerate(letters)}
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        assert len(row) == width
        line = bytearray(stride)
        for x, letter in enumerate(row):
            line[x // 2] |= index[letter] << (0 if x % 2 else 4)
        pixels += line
    quad = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(quad)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + quad + bytes(pixels)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, rows, colours in (('dir_glyph.bmp', CLASSIC, CLASSIC_COLOURS),
                                ('dir_glyph_xp.bmp', XP, XP_COLOURS)):
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(bitmap(rows, colours))


if __name__ == '__main__':
    main()
