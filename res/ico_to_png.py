#!/usr/bin/env python3
"""Writes every image of an .ico as a PNG, to look at the artwork.

Python 3 standard library only:
  python3 res/ico_to_png.py res/brimvale.ico OUTDIR [--scale N] [--background RRGGBB]

Reads the uncompressed bitmaps the way Windows draws them (8-bit through the
palette and the AND mask, 32-bit through its alpha), scales by whole pixels so
that small images can be inspected, and lays them over a flat background.
"""

import argparse
import os
import struct
import zlib


def decode(dib):
    """(size, bits, rows of (r, g, b, a), top row first) of one icon image."""
    (header_size, width, height, _, bits, compression, _, _, _, used, _) = struct.unpack_from(
        '<IiiHHIIiiII', dib)
    if header_size != 40 or compression != 0:
        raise ValueError('not an uncompressed BITMAPINFOHEADER image')
    size = width
    offset = 40
    palette = []
    if bits == 8:
        for i in range(used or 256):
            b, g, r, _ = dib[offset + 4 * i:offset + 4 * i + 4]
            palette.append((r, g, b))
        offset += 4 * (used or 256)
    stride = ((size * bits + 31) // 32) * 4
    mask_offset = offset + stride * size
    mask_stride = ((size + 31) // 32) * 4
    rows = []
    for y in range(size):
        src = size - 1 - y
        line = dib[offset + src * stride:offset + (src + 1) * stride]
        mask = dib[mask_offset + src * mask_stride:mask_offset + (src + 1) * mask_stride]
        row = []
        for x in range(size):
            hidden = mask[x // 8] & (0x80 >> (x % 8))
            if bits == 32:
                b, g, r, a = line[4 * x:4 * x + 4]
            else:
                r, g, b = palette[line[x]]
                a = 0 if hidden else 255
            row.append((r, g, b, a))
        rows.append(row)
    return size, bits, rows


def write_png(path, rows, scale, background):
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for r, g, b, a in row:
            pixel = bytes(round((c * a + k * (255 - a)) / 255)
                          for c, k in zip((r, g, b), background))
            line += pixel * scale
        for _ in range(scale):
            raw += b'\x00' + line
    height = len(rows) * scale
    width = len(rows[0]) * scale

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(bytes(raw), 9)))
        out.write(chunk(b'IEND', b''))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('icon')
    parser.add_argument('outdir')
    parser.add_argument('--scale', type=int, default=1)
    parser.add_argument('--background', default='f0f0f0')
    args = parser.parse_args()
    background = tuple(int(args.background[i:i + 2], 16) for i in (0, 2, 4))
    with open(args.icon, 'rb') as f:
        data = f.read()
    _, kind, count = struct.unpack_from('<HHH', data)
    if kind != 1:
        raise ValueError('not an icon file')
    os.makedirs(args.outdir, exist_ok=True)
    for i in range(count):
        _, _, _, _, _, _, length, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        size, bits, rows = decode(data[offset:offset + length])
        write_png(os.path.join(args.outdir, 'icon_%d_%dbpp.png' % (size, bits)), rows, args.scale,
                  background)


if __name__ == '__main__':
    main()
