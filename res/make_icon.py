#!/usr/bin/env python3
"""Draws the program icon, a pie chart, and writes it as brimvale.ico.

Python 3 standard library only, so the artwork can be redrawn and reviewed
anywhere:  python3 res/make_icon.py [output.ico]

The picture: a round pie with a dark rim, three quarters steel blue and the
quarter from three to six o'clock pale green, each shaded lighter towards the
centre. Every image is drawn at its own size (not scaled from a larger one),
anti-aliased by supersampling, so the rim and the quarter stay crisp at 16x16.
"""

import math
import os
import struct
import sys

# (size, bits per pixel), in the order of the icon group.
IMAGES = [
    (128, 8), (64, 8), (32, 8),
    (128, 32), (72, 32), (64, 32), (48, 32), (32, 32), (24, 32), (16, 32),
]

RIM = (30, 42, 58)
# Each slice runs from its centre colour to its edge colour.
BLUE_CENTRE, BLUE_EDGE = (156, 192, 224), (62, 114, 164)
GREEN_CENTRE, GREEN_EDGE = (226, 252, 222), (136, 218, 132)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Geometry:
    """Measures of the pie at one pixel size, in pixels."""

    def __init__(self, size):
        self.centre = size / 2.0
        # A little air around the pie at large sizes; at small ones every
        # pixel counts.
        self.radius = size / 2.0 - max(0.5, size / 64.0)
        # The rim stays at least one whole pixel, so that it reads at 16x16.
        self.rim = max(1.0, size / 26.0)
        self.inner = self.radius - self.rim
        # The dark lines between the slices only where they fit; at small sizes
        # they would smear the green quarter into the blue.
        self.divider = size / 80.0 if size >= 48 else 0.0


def sample(geo, x, y):
    """Colour (r, g, b) at a point inside the pie, or None outside it."""
    dx, dy = x - geo.centre, y - geo.centre
    r = math.hypot(dx, dy)
    if r > geo.radius:
        return None
    if r > geo.inner:
        return RIM
    # Screen y grows downwards: three to six o'clock is dx >= 0 and dy >= 0.
    green = dx >= 0 and dy >= 0
    half = geo.divider / 2
    if (abs(dx) < half and dy >= 0) or (abs(dy) < half and dx >= 0):
        return RIM
    t = (r / geo.inner) ** 1.3
    if green:
        return mix(GREEN_CENTRE, GREEN_EDGE, t)
    return mix(BLUE_CENTRE, BLUE_EDGE, t)


def render(size):
    """Rows of (r, g, b, a) tuples, top row first; colours not premultiplied."""
    geo = Geometry(size)
    grid = max(4, min(16, 256 // size))
    step = 1.0 / grid
    offsets = [(i + 0.5) * step for i in range(grid)]
    count = grid * grid
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            sr = sg = sb = 0.0
            covered = 0
            for oy in offsets:
                for ox in offsets:
                    c = sample(geo, px + ox, py + oy)
                    if c is not None:
                        sr += c[0]
                        sg += c[1]
                        sb += c[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(sr / covered), round(sg / covered), round(sb / covered),
                            round(255 * covered / count)))
        rows.append(row)
    return rows


def median_cut(histogram, colours):
    """A palette of at most `colours` entries for a {(r, g, b): count} histogram."""
    boxes = [list(histogram.items())]
    while len(boxes) < colours:
        best, best_range, best_channel = None, 0, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [c[channel] for c, _ in box]
                spread = (max(values) - min(values)) * math.sqrt(sum(n for _, n in box))
                if spread > best_range:
                    best, best_range, best_channel = index, spread, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][best_channel])
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for cut in range(1, len(box)):
            running += box[cut - 1][1]
            if running * 2 >= total:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[ch] * n for c, n in box) / total) for ch in range(3)))
    return palette


# Where a 1-bit mask must decide: a pixel a little over half covered is shown.
# Exactly half would leave single-pixel nubs at the four compass points.
SHOWN = 144


def and_mask(rows, size):
    """The 1-bit mask, bottom row first: set where the pixel is transparent."""
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < SHOWN:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def bitmap_header(size, bits, image_bytes):
    # Height counts the colour bitmap and the mask together, as icons do.
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0,
                       256 if bits == 8 else 0, 0)


def dib32(rows, size):
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask = and_mask(rows, size)
    return bitmap_header(size, 32, len(colour) + len(mask)) + bytes(colour) + mask


def dib8(rows, size):
    # A 1-bit mask is all the transparency there is: a pixel mostly covered is
    # drawn in full, and the dark rim keeps the edge from looking ragged.
    histogram = {}
    for row in rows:
        for r, g, b, a in row:
            if a >= SHOWN:
                histogram[(r, g, b)] = histogram.get((r, g, b), 0) + 1
    # Index 0 stays black: transparent pixels must draw nothing through the mask.
    palette = [(0, 0, 0)] + median_cut(histogram, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    nearest = {}
    for colour in histogram:
        nearest[colour] = min(range(1, 256), key=lambda i: sum(
            (p - q) ** 2 for p, q in zip(palette[i], colour)))
    stride = (size + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            if a >= SHOWN:
                line[x] = nearest[(r, g, b)]
        pixels += line
    mask = and_mask(rows, size)
    quad = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return bitmap_header(size, 8, len(pixels) + len(mask)) + quad + bytes(pixels) + mask


def build_icon():
    renders = {}
    images = []
    for size, bits in IMAGES:
        if size not in renders:
            renders[size] = render(size)
        rows = renders[size]
        images.append((size, bits, dib8(rows, size) if bits == 8 else dib32(rows, size)))
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b''
    data = b''
    for size, bits, dib in images:
        directory += struct.pack('<BBBBHHII', size, size, 0, 0, 1, bits, len(dib),
                                 offset + len(data))
        data += dib
    return header + directory + data


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), 'brimvale.ico')
    with open(target, 'wb') as out:
        out.write(build_icon())


if __name__ == '__main__':
    main()
