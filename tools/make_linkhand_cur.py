#!/usr/bin/env python3
"""Writes linkhand.cur: the 32 x 32 monochrome pointing-hand cursor shown over links.

The hot spot is the fingertip at (5, 0). Usage: make_linkhand_cur.py OUTPUT
"""
import struct
import sys

# '#' black, '.' white, anything else transparent. Rows top to bottom.
ART = [
    "    ##",
    "   #..#",
    "   #..#",
    "   #..#",
    "   #..#",
    "   #..###",
    "   #..#..###",
    "   #..#..#..##",
    "   #..#..#..#.#",
    "## #..#..#..#..#",
    "#..#........#..#",
    "#...#..........#",
    " #..#..........#",
    "  #............#",
    "  #...........#",
    "   #..........#",
    "   #.........#",
    "    #........#",
    "    #........#",
    "    ##########",
]
SIZE = 32
HOT_X, HOT_Y = 5, 0


def plane(bit_of):
    """One 1-bit plane, bottom-up rows of 4 bytes, from bit_of(char) per pixel."""
    rows = []
    for y in range(SIZE):
        line = ART[y] if y < len(ART) else ""
        value = 0
        for x in range(SIZE):
            ch = line[x] if x < len(line) else " "
            value = (value << 1) | bit_of(ch)
        rows.append(struct.pack(">I", value))
    return b"".join(reversed(rows))


def main():
    xor_plane = plane(lambda ch: 1 if ch == "." else 0)
    and_plane = plane(lambda ch: 0 if ch in "#." else 1)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor_plane + and_plane
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_X, HOT_Y, len(image), 6 + 16)
    with open(sys.argv[1], "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
