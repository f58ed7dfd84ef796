#!/usr/bin/env python3
"""Writes a Config.bin (1450 bytes, little-endian) holding a saved game, for play tests.

Usage: make_config.py <file> <kind> <score>
  kind "sparse": a Normal game with a few balls; "full": a Normal game three cells short of a
  full board with no line anywhere (the next move without a line ends the game); "line": a few
  balls, four of colour 1 in row 4 from column 0, and a fifth of colour 1 at (4, 0) that completes
  the row when it moves down to (4, 4).
"""
import struct
import sys

NAMES = ["Harko", "Orsina", "Lunet", "Bresk", "Tovin", "Belmar", "Teddo", "Ilvan", "Marisande", "Pello"]
KINDS = [(0, 255), (0x1, 0), (0x2, 1), (0x4, 2), (0x8, 3), (0x10, 4), (0x20, 5), (0x40, 6)]


def table():
    out = b""
    for _mode in range(3):
        for row, name in enumerate(NAMES):
            raw = name.encode("latin-1")
            out += struct.pack("<B17sH", len(raw), raw.ljust(17, b"\0"), 1000 - 100 * row)
    return out


def board(kind):
    cells = [[(0, 0)] * 10 for _ in range(10)]
    if kind == "sparse":
        for (x, y, colour) in [(1, 1, 1), (4, 2, 2), (2, 5, 3), (6, 6, 4), (7, 1, 5), (3, 7, 6)]:
            cells[x][y] = KINDS[colour]
    elif kind == "line":
        balls = [(0, 4, 1), (1, 4, 1), (2, 4, 1), (3, 4, 1), (4, 0, 1), (6, 6, 4), (7, 1, 5), (2, 7, 6)]
        for (x, y, colour) in balls:
            cells[x][y] = KINDS[colour]
    else:
        for x in range(9):
            for y in range(9):
                cells[x][y] = KINDS[1 + (x + 2 * y) % 5]
        for x in (6, 7, 8):
            cells[x][8] = (0, cells[x][8][1])
    return cells


def main():
    path, kind, score = sys.argv[1], sys.argv[2], int(sys.argv[3])
    data = table() + struct.pack("<iiBBii", 50, 75, 1, 1, score, 3)
    data += b"".join(struct.pack("<II", *KINDS[c]) for c in (1, 2, 3, 4))
    cells = board(kind)
    data += b"".join(struct.pack("<II", *cells[x][y]) for x in range(10) for y in range(10))
    assert len(data) == 1450, len(data)
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
