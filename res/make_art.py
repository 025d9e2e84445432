#!/usr/bin/env python3
"""Draws the program icon (Quillet.ico) and the link cursor (hand.cur).

Standard library only; the files are written byte by byte.
Run: python3 res/make_art.py [output folder]   (default: the folder of this script)
The generated files are committed, so the build never needs Python.
"""
import os
import struct
import sys

# Sizes of the icon group, in the order they appear in the file.
ICON_IMAGES = [(48, 8), (32, 8), (24, 8), (16, 8),
               (128, 32), (96, 32), (72, 32), (64, 32), (48, 32), (32, 32), (24, 32), (16, 32)]

BORDER = (34, 84, 170)
PAPER = (252, 252, 248)
LINES = (150, 170, 205)
CUT = (236, 120, 30)


# ---------------------------------------------------------------- drawing

def in_piece(x, y, left, top, right, bottom, fold):
    """Inside a sheet of paper with its top right corner folded away."""
    if not (left <= x < right and top <= y < bottom):
        return False
    return (right - x) + (y - top) >= fold


def piece_colour(x, y, left, top, right, bottom):
    """Colour of one of the two paper pieces at (x, y), or None outside it."""
    fold, edge = 0.16, 0.05
    if not in_piece(x, y, left, top, right, bottom, fold):
        return None
    inner = in_piece(x, y, left + edge, top + edge, right - edge, bottom - edge, fold - edge * 0.6)
    if not inner:
        return BORDER
    # The folded-over corner.
    if (right - x) + (y - top) < fold + edge and x > right - fold - edge:
        return BORDER
    row = (y - top - 0.13) / 0.09
    if 0 <= row < 3 and row % 1 < 0.45 and left + 0.1 <= x < right - 0.1 - (0.08 if row < 1 else 0):
        return LINES
    return PAPER


def scene(x, y):
    """The picture in the unit square, y downwards: a page cut into two offset pieces."""
    if 0.47 <= y < 0.53 and 0.04 <= x < 0.96 and (x * 10) % 1 < 0.6:
        return CUT
    upper = piece_colour(x, y, 0.12, 0.05, 0.74, 0.45)
    if upper:
        return upper
    return piece_colour(x, y, 0.26, 0.55, 0.88, 0.95)


def render(size):
    """Rows of (r, g, b, a), top row first, supersampled 4 x 4."""
    rows = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = scene((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c:
                        r, g, b, hits = r + c[0], g + c[1], b + c[2], hits + 1
            if hits:
                row.append((r // hits, g // hits, b // hits, 255 * hits // (n * n)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- palettes

def cube_palette():
    """6 x 6 x 6 colour cube plus a grey ramp: 256 entries, index 0 is black."""
    levels = [0, 51, 102, 153, 204, 255]
    pal = [(r, g, b) for r in levels for g in levels for b in levels]
    pal += [(v * 255 // 41, v * 255 // 41, v * 255 // 41) for v in range(1, 41)]
    return pal


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(pal, c):
    return min(range(len(pal)), key=lambda i: sum((pal[i][k] - c[k]) ** 2 for k in range(3)))


# ---------------------------------------------------------------- DIB writing

def stride(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def and_mask(rows, transparent):
    """1-bit mask, bottom row first; a set bit lets the background show through."""
    size = len(rows[0])
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride(size))
        for x, px in enumerate(row):
            if transparent(px):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def info_header(size, bpp, palette_len, image_bytes):
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, image_bytes, 0, 0,
                       palette_len, 0)


def dib_32(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = and_mask(rows, lambda p: p[3] == 0)
    return info_header(size, 32, 0, len(pixels) + len(mask)) + bytes(pixels) + mask


def dib_indexed(rows, pal, bpp):
    """Palette image; pixels under half coverage become transparent (index 0, mask set)."""
    size = len(rows)
    opaque = [[p[3] >= 128 for p in row] for row in rows]
    pixels = bytearray()
    cache = {}
    for y in reversed(range(size)):
        line = bytearray(stride(size * bpp))
        for x, p in enumerate(rows[y]):
            index = 0
            if opaque[y][x]:
                key = p[:3]
                if key not in cache:
                    cache[key] = nearest(pal, key)
                index = cache[key]
            if bpp == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += line
    mask = and_mask(rows, lambda p: p[3] < 128)
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in pal)
    return info_header(size, bpp, len(pal), len(pixels) + len(mask)) + quads + bytes(pixels) + mask


def icon_file(kind, entries):
    """kind 1 = icon, 2 = cursor; entries: (size, colours, field4, field6, dib)."""
    out = bytearray(struct.pack('<HHH', 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, colours, f4, f6, dib in entries:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours % 256, 0, f4, f6,
                           len(dib), offset)
        offset += len(dib)
    for entry in entries:
        out += entry[4]
    return bytes(out)


# ---------------------------------------------------------------- the cursor

# A pointing hand; the tip of the finger is the hot spot (12, 1).
# B = outline, W = fill, G = shade, . = transparent.
HAND = """
................................
...........BBB..................
..........BWWWB.................
..........BWWWB.................
..........BWWWB.................
..........BWWWB.................
..........BWWWB.................
..........BWWWBBB...............
..........BWWWBWWBBB............
..........BWWWBWWBWWBBB.........
..........BWWWBWWBWWBWWB........
..........BWWWBWWBWWBWWGB.......
.....BBB..BWWWWWWWWWWWWWB.......
....BWWWB.BWWWWWWWWWWWWWB.......
....BWWWWBBWWWWWWWWWWWWWB.......
.....BWWWWBWWWWWWWWWWWWGB.......
......BWWWWWWWWWWWWWWWWGB.......
.......BWWWWWWWWWWWWWWWGB.......
.......BWWWWWWWWWWWWWWGB........
........BWWWWWWWWWWWWWGB........
.........BWWWWWWWWWWWGB.........
..........BWWWWWWWWWWGB.........
..........BWWWWWWWWWWGB.........
..........BBBBBBBBBBBBB.........
................................
................................
................................
................................
................................
................................
................................
................................
"""

CURSOR_COLOURS = {'B': (0, 0, 0, 255), 'W': (255, 255, 255, 255), 'G': (192, 192, 192, 255),
                  '.': (0, 0, 0, 0)}


def hand_rows():
    lines = HAND.strip('\n').split('\n')
    assert len(lines) == 32 and all(len(line) == 32 for line in lines), 'hand must be 32 x 32'
    return [[CURSOR_COLOURS[ch] for ch in line] for line in lines]


# ---------------------------------------------------------------- main

def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    cube = cube_palette()
    entries = []
    for size, bpp in ICON_IMAGES:
        rows = render(size)
        if bpp == 8:
            entries.append((size, 0, 1, 8, dib_indexed(rows, cube, 8)))
        else:
            entries.append((size, 0, 1, 32, dib_32(rows)))
    with open(os.path.join(out_dir, 'Quillet.ico'), 'wb') as f:
        f.write(icon_file(1, entries))

    cursor = dib_indexed(hand_rows(), VGA16, 4)
    with open(os.path.join(out_dir, 'hand.cur'), 'wb') as f:
        f.write(icon_file(2, [(32, 16, 12, 1, cursor)]))


if __name__ == '__main__':
    main()
