#!/usr/bin/env python3
"""Draws Folioquill's own pointer and icon images and writes them into data/:

  HAND-M.CUR      the hand pointer shown over the buttons (a Windows cursor file
                  with its hot spot on the tip of the index finger)
  drag.ico        the pointer shown while a list item is dragged (an icon file)
  folioquill.png  the application icon

and the application icon for the desktop's icon theme into
dist/icons/hicolor/ (PNG at the usual sizes and an SVG for any size).

The pictures are drawn here as character grids, so the files can be rebuilt
from this script alone:  python3 scripts/make_pointers.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
HICOLOR = os.path.join(HERE, "..", "dist", "icons", "hicolor")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# '.' transparent, 'X' black, 'o' white, others from the palette of each picture.
HAND = [
    "......XX........................",
    ".....XooX.......................",
    ".....XooX.......................",
    ".....XooX.......................",
    ".....XooX.......................",
    ".....XooXXX.....................",
    ".....XooXooXXX..................",
    ".....XooXooXooXX................",
    ".....XooXooXooXoX...............",
    "..XX.XooXooXooXooX..............",
    ".XooXXoooooooooooX..............",
    ".XoooXoooooooooooX..............",
    "..XooXoooooooooooX..............",
    "...XoXoooooooooooX..............",
    "...XooooooooooooX...............",
    "....XoooooooooooX...............",
    "....XooooooooooX................",
    ".....XoooooooooX................",
    ".....XoooooooooX................",
    "......XoooooooX.................",
    "......XoooooooX.................",
    "......XXXXXXXXX.................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]
HAND_HOTSPOT = (6, 0)

# An arrow pointing up and down with a small page between the heads: the
# document travels up or down the list.
DRAG = [
    "...............X................",
    "..............XoX...............",
    ".............XoooX..............",
    "............XoooooX.............",
    "...........XoooooooX............",
    "..........XXXXoooXXXX...........",
    ".............XoooX..............",
    ".............XoooX..............",
    "..........XXXXXXXXXXXX..........",
    "..........XbbbbbbbbbbX..........",
    "..........XbwwwwwwwwbX..........",
    "..........XbwbbbbbbwbX..........",
    "..........XbwwwwwwwwbX..........",
    "..........XbwbbbbbwwbX..........",
    "..........XbwwwwwwwwbX..........",
    "..........XbwbbbbbbwbX..........",
    "..........XbwwwwwwwwbX..........",
    "..........XbbbbbbbbbbX..........",
    "..........XXXXXXXXXXXX..........",
    ".............XoooX..............",
    ".............XoooX..............",
    "..........XXXXoooXXXX...........",
    "...........XoooooooX............",
    "............XoooooX.............",
    ".............XoooX..............",
    "..............XoX...............",
    "...............X................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
]

# The application icon: a quill over a folded page.
ICON = [
    "................................",
    "..........................XX....",
    ".........................XqqX...",
    "........................XqqqX...",
    ".......................XqqqX....",
    "......................XqqqX.....",
    ".....................XqqqX......",
    "....XXXXXXXXXXXXXXXXXqqqXXXX....",
    "....XwwwwwwwwwwwwwwXqqqXwwX.....",
    "....XwwwwwwwwwwwwwXqqqXwwwX.....",
    "....XwbbbbbbbbbbwXqqqXwwwwX.....",
    "....XwwwwwwwwwwwXqqqXwwwwwX.....",
    "....XwbbbbbbbbbXqqqXbbbbwwX.....",
    "....XwwwwwwwwwXqqqXwwwwwwwX.....",
    "....XwbbbbbbbbXqqXbbbbbbwwX.....",
    "....XwwwwwwwwXqqXwwwwwwwwwX.....",
    "....XwbbbbbbbXXXbbbbbbbbwwX.....",
    "....XwwwwwwwXkXwwwwwwwwwwwX.....",
    "....XwbbbbbbXXbbbbbbbbbbwwX.....",
    "....XwwwwwwwwwwwwwwwwwwwwwX.....",
    "....XwbbbbbbbbbbbbbbbbbbwwX.....",
    "....XwwwwwwwwwwwwwwwwwwwwwX.....",
    "....XwbbbbbbbbbbbbbbbbbbwwX.....",
    "....XwwwwwwwwwwwwwwwwwwwwwX.....",
    "....XwbbbbbbbbbbbbbbwwwwwwX.....",
    "....XwwwwwwwwwwwwwwwwwwwwwX.....",
    "....XwwwwwwwwwwwwwwwwwwXXXX.....",
    "....XwwwwwwwwwwwwwwwwwwXwX......",
    "....XwwwwwwwwwwwwwwwwwwXX.......",
    "....XXXXXXXXXXXXXXXXXXXX........",
    "................................",
    "................................",
]

PALETTE = {
    "X": (0, 0, 0, 255),
    "o": (255, 255, 255, 255),
    "w": (255, 255, 255, 255),
    "b": (70, 110, 170, 255),   # lines of text, blue
    "q": (150, 40, 40, 255),    # the quill, dark red
    "k": (20, 20, 20, 255),     # the nib
    ".": (0, 0, 0, 0),
}


def pixels(grid):
    assert len(grid) == 32 and all(len(row) == 32 for row in grid), "pictures are 32 x 32"
    return [[PALETTE[c] for c in row] for row in grid]


def dib(grid):
    """The image as an icon-file bitmap: header, 32-bit BGRA rows bottom-up,
    then the 1-bit AND mask (1 = transparent), rows padded to 32 bits."""
    px = pixels(grid)
    w = h = 32
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    mask = bytearray()
    for row in reversed(px):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    return header + colour + bytes(mask)


def icon_file(grid, kind, hotspot=(0, 0)):
    """kind 1 = icon, 2 = cursor (then planes/bit count hold the hot spot)."""
    image = dib(grid)
    a, b = (hotspot if kind == 2 else (1, 32))
    head = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, a, b, len(image), 6 + 16)
    return head + entry + image


def resampled(grid, size):
    """The picture at size x size pixels: each target pixel takes the grid
    cells it covers, weighted by the area covered, with premultiplied alpha
    (at whole multiples of 32 this is plain enlargement)."""
    px = pixels(grid)
    step = 32 / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            y0, y1 = y * step, (y + 1) * step
            x0, x1 = x * step, (x + 1) * step
            for gy in range(int(y0), min(32, int(-(-y1 // 1)))):
                wy = min(y1, gy + 1) - max(y0, gy)
                for gx in range(int(x0), min(32, int(-(-x1 // 1)))):
                    w = wy * (min(x1, gx + 1) - max(x0, gx))
                    r, g, b, a = px[gy][gx]
                    acc[0] += r * a * w
                    acc[1] += g * a * w
                    acc[2] += b * a * w
                    acc[3] += a * w
            area = step * step
            alpha = acc[3] / area
            if acc[3] > 0:
                colour = tuple(round(c / acc[3]) for c in acc[:3])
            else:
                colour = (0, 0, 0)
            row.append(colour + (round(alpha),))
        rows.append(row)
    return rows


def png_file(grid, scale=None, size=None):
    size = size or 32 * scale
    px = resampled(grid, size)
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            raw += bytes(px[y][x])

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def svg_file(grid):
    """One rectangle per run of equal cells in a row, on a 32 x 32 grid."""
    px = pixels(grid)
    rects = []
    for y, row in enumerate(px):
        x = 0
        while x < 32:
            r, g, b, a = row[x]
            end = x
            while end < 32 and row[end] == row[x]:
                end += 1
            if a:
                rects.append('  <rect x="%d" y="%d" width="%d" height="1" fill="#%02x%02x%02x"/>' % (x, y, end - x, r, g, b))
            x = end
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32" '
            'shape-rendering="crispEdges">\n' + "\n".join(rects) + "\n</svg>\n").encode()


def write(name, data, folder=DATA):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote", os.path.normpath(path), len(data), "bytes")


if __name__ == "__main__":
    os.makedirs(DATA, exist_ok=True)
    write("HAND-M.CUR", icon_file(HAND, 2, HAND_HOTSPOT))
    write("drag.ico", icon_file(DRAG, 1))
    write("folioquill.png", png_file(ICON, 4))
    for size in ICON_SIZES:
        write("%dx%d/apps/folioquill.png" % (size, size), png_file(ICON, size=size), HICOLOR)
    write("scalable/apps/folioquill.svg", svg_file(ICON), HICOLOR)
