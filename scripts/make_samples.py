#!/usr/bin/env python3
"""Draws the bundled sample pictures: small pixel-art sprite sheets saved as
8-bit run-length encoded PCX files whose names start with the sprite's side.

Each sheet has two columns of six frames: the left column faces right, the
right column is its mirror image. Run from the repository root:
    python3 scripts/make_samples.py
"""
import struct

# Palette: index 0 background, then the figure's colours; the magenta stop
# colour ends the part of the palette that goes into the sprite file.
PALETTE = [
    (0, 0, 0), (255, 255, 255), (200, 200, 210), (120, 120, 140),   # 0-3
    (60, 60, 80), (250, 210, 160), (200, 40, 40), (120, 20, 20),     # 4-7
    (240, 200, 40), (140, 100, 20), (60, 140, 220), (20, 60, 120),   # 8-11
    (80, 200, 90), (30, 110, 40), (255, 0, 255),                     # 12-14
]

KNIGHT = """
......4444......
.....422224.....
.....4233324....
.....4244424....
.....4255524....
......4555433...
....44422244.3..
...4622222264.3.
...4672222764.3.
...4566226654.3.
....4422224..983
.....422224...9.
.....433334.....
.....43..34.....
....444..444....
................
"""

SLIME = """
........................
........................
........................
........................
.........dddddd.........
.......ddccccccdd.......
......dcccccccccd.......
.....dcc11cccc11cd......
....dccc14cccc14ccd.....
....dccc44cccc44ccd.....
...dcccccccccccccccd....
...dccccccc44ccccccd....
..dcccccccccccccccccd...
..dccaccccccccccacccd...
..dcccccccccccccccccd...
.dcccccccccccccccccccd..
.dccccccccccccccccccccd.
.dcccccccccccccccccccccd
.dddcccccccccccccccdddd.
....ddddddddddddddd.....
........................
........................
........................
........................
"""

CODES = {'.': 0, 'a': 10, 'b': 11, 'c': 12, 'd': 13}


def parse(art):
    rows = [r for r in art.strip('\n').split('\n')]
    return [[CODES[c] if c in CODES else int(c) for c in row] for row in rows]


def shifted(frame, dx, dy):
    h, w = len(frame), len(frame[0])
    out = [[0] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            sx, sy = x - dx, y - dy
            if 0 <= sx < w and 0 <= sy < h:
                out[y][x] = frame[sy][sx]
    return out


def squashed(frame, rows):
    """Drops `rows` rows from the top half: a bounce or a squash."""
    h = len(frame)
    kept = frame[:h // 2 - rows] + frame[h // 2:]
    return [[0] * len(frame[0])] * rows + kept


def recoloured(frame, table):
    return [[table.get(p, p) for p in row] for row in frame]


def frames_of(base, side):
    hurt = {6: 8, 7: 9, 12: 6, 13: 7, 10: 6}
    return [
        base,
        shifted(base, 0, -1),
        squashed(base, max(1, side // 12)),
        shifted(base, 1, 0),
        shifted(base, -1, -1),
        recoloured(base, hurt),
    ]


def sheet(base):
    side = len(base)
    rows = []
    for frame in frames_of(base, side):
        for line in frame:
            rows.append(line + line[::-1])
    return rows


def rle_line(line):
    out = bytearray()
    i = 0
    while i < len(line):
        v = line[i]
        n = 1
        while i + n < len(line) and line[i + n] == v and n < 63:
            n += 1
        if n > 1 or v >= 192:
            out += bytes([192 | n, v])
        else:
            out.append(v)
        i += n
    return bytes(out)


def write_pcx(path, rows):
    h, w = len(rows), len(rows[0])
    assert w % 2 == 0, "lines are stored without padding"
    head = struct.pack('<BBBBhhhhhh48sBBhh58s', 10, 5, 1, 8, 0, 0, w - 1, h - 1,
                       72, 72, bytes(48), 0, 1, w, 1, bytes(58))
    pal = bytearray(768)
    for i, (r, g, b) in enumerate(PALETTE):
        pal[3 * i:3 * i + 3] = bytes([r, g, b])
    with open(path, 'wb') as f:
        f.write(head)
        for row in rows:
            f.write(rle_line(row))
        f.write(b'\x0c')
        f.write(pal)


if __name__ == '__main__':
    write_pcx('samples/16knight.pcx', sheet(parse(KNIGHT)))
    write_pcx('samples/24slime.pcx', sheet(parse(SLIME)))
