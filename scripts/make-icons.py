#!/usr/bin/env python3
"""Draws Pelorn's two 32x32 icons (a patch of hex tiles) and writes them as
.ico files: ICONDIR, one ICONDIRENTRY, a BITMAPINFOHEADER, BGRA pixels bottom
row first, and the 1-bit AND mask. Run from anywhere; writes into resources/."""

import os
import struct

SQRT3 = 3 ** 0.5

SIZE = 32

# Terrain colours of the editor's palette that read well at icon size.
SEA = (0, 84, 166)
PLAINS = (122, 193, 67)
HILLS = (170, 140, 80)
MOUNTAIN = (120, 110, 100)
FOREST = (40, 120, 50)
DESERT = (230, 210, 130)
OUTLINE = (20, 20, 20)


def hex_cells(big):
    """Centres, circumradius and colour of each flat-topped hexagon. Even
    columns stand half a tile higher, as in the map."""
    if big:
        radius = 5.0
        layout = [
            [SEA, PLAINS, HILLS, FOREST],
            [SEA, FOREST, MOUNTAIN, DESERT],
            [PLAINS, FOREST, HILLS, PLAINS],
            [SEA, PLAINS, DESERT, PLAINS],
            [SEA, SEA, PLAINS, HILLS],
        ]
    else:
        radius = 7.0
        layout = [
            [SEA, PLAINS, FOREST],
            [FOREST, MOUNTAIN, HILLS],
            [SEA, DESERT, PLAINS],
            [SEA, PLAINS, HILLS],
        ]
    half_height = radius * SQRT3 / 2
    cells = []
    for col, colours in enumerate(layout):
        for row, colour in enumerate(colours):
            cx = 1.5 + col * 1.5 * radius
            cy = half_height + row * 2 * half_height + (0.0 if col % 2 == 0 else half_height) - 1.0
            cells.append((cx, cy, radius, colour))
    return cells


def inside_hex(px, py, cx, cy, r):
    """Inside a flat-topped hexagon of circumradius r (corners left and right)."""
    dx, dy = abs(px - cx), abs(py - cy)
    return dy <= r * SQRT3 / 2 and SQRT3 * dx + dy <= SQRT3 * r


def draw(big):
    pixels = [[None] * SIZE for _ in range(SIZE)]
    for cx, cy, r, colour in hex_cells(big):
        for y in range(SIZE):
            for x in range(SIZE):
                px, py = x + 0.5, y + 0.5
                if inside_hex(px, py, cx, cy, r):
                    edge = not inside_hex(px, py, cx, cy, r - 1.1)
                    pixels[y][x] = OUTLINE if edge else colour
    return pixels


def ico_bytes(pixels):
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom row first
        bits = 0
        for x in range(SIZE):
            colour = pixels[y][x]
            if colour is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            else:
                r, g, b = colour
                xor += bytes((b, g, r, 255))
        mask += struct.pack(">I", bits)  # rows of 32 bits are already 4-byte aligned
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return icondir + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "resources")
    for name, big in (("pelorn.ico", True), ("pelorn_small.ico", False)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(ico_bytes(draw(big)))


if __name__ == "__main__":
    main()
