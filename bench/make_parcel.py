#!/usr/bin/env python3
"""Writes a parcel for the batch benchmark: ROWS stones of the eight shapes, mixed, as a CSV
table with the columns id, shape, length, width, depth (width empty where the shape has none).
The same ROWS always give the same file. Usage: make_parcel.py ROWS > parcel.csv"""
import sys

# First words of the window's shapes, and whether each has a width.
SHAPES = [("round", False), ("oval", True), ("square", False), ("rectangle", True),
          ("marquise", True), ("pear", True), ("triangle", True), ("heart", True)]


def main():
    rows = int(sys.argv[1])
    state = 12345
    out = sys.stdout
    out.write("id,shape,length,width,depth\n")
    lines = []
    for row in range(1, rows + 1):
        # A linear congruential generator: the same sequence on every machine.
        state = (state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        shape, has_width = SHAPES[(state >> 33) % 8]
        width = 2.0 + ((state >> 20) % 900) / 100.0
        length = width * (1.0 + ((state >> 10) % 100) / 100.0) if has_width else width
        depth = width * (0.45 + ((state >> 40) % 25) / 100.0)
        lines.append("%d,%s,%.2f,%s,%.2f\n" % (row, shape, length,
                                               "%.2f" % width if has_width else "", depth))
        if len(lines) == 10000:
            out.write("".join(lines))
            lines = []
    out.write("".join(lines))


if __name__ == "__main__":
    main()
