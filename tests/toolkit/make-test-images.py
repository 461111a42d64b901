#!/usr/bin/env python3
"""Writes the small images of known pixels that the toolkit's drawing tests read back.

    make-test-images.py OUTDIR
"""

import os
import struct
import sys
import zlib

RED = (255, 0, 0, 255)
GREEN = (0, 255, 0, 255)
BLUE = (0, 0, 255, 255)
YELLOW = (255, 255, 0, 255)
WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
MAGENTA = (255, 0, 255, 255)
CLEAR = (0, 0, 0, 0)


def blocks(colours, width, height):
    """Rows of pixels: one width x height block per colour, side by side."""
    return [[colour for colour in colours for _ in range(width)] for _ in range(height)]


def write_png(path, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def write_bmp(path, rows, bits):
    """A bottom-up BMP of 24 or 32 bits per pixel (BGR, BGRA)."""
    height, width = len(rows), len(rows[0])
    data = b""
    for row in reversed(rows):
        line = b"".join(bytes((b, g, r, a)[:bits // 8]) for r, g, b, a in row)
        data += line + b"\0" * (-len(line) % 4)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", 14 + len(info) + len(data), 0, 0, 14 + len(info)))
        out.write(info + data)


def write_ico(path, rows):
    """A one-image icon of 32 bits per pixel with an all-opaque mask."""
    height, width = len(rows), len(rows[0])
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask = b"\0" * (((width + 31) // 32 * 4) * height)
    info = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, len(pixels) + len(mask),
                       0, 0, 0, 0)
    image = info + pixels + mask
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, 1) + entry + image)


def main(outdir):
    os.makedirs(outdir, exist_ok=True)
    out = lambda name: os.path.join(outdir, name)
    # Sub-imaged skins: four and three 8 x 6 states.
    write_png(out("states4.png"), blocks([RED, GREEN, BLUE, YELLOW], 8, 6))
    write_png(out("states3.png"), blocks([RED, GREEN, BLUE], 8, 6))
    # Buttons big enough to point at: four 30 x 20 states.
    write_png(out("buttons.png"), blocks([RED, GREEN, BLUE, YELLOW], 30, 20))
    # An uncut 16 x 6 image, red then blue, to show cutting and horizontal stretching.
    write_png(out("strip.png"), blocks([RED, BLUE], 8, 6))
    # One picture in the sets of 100, 150 and 200 % only, each of its own colour.
    write_png(out("sets100.png"), blocks([RED], 8, 6))
    write_png(out("sets150.png"), blocks([GREEN], 12, 9))
    write_png(out("sets200.png"), blocks([BLUE], 16, 12))
    # Transparent on the left, opaque green on the right.
    write_png(out("halfclear.png"), blocks([CLEAR, GREEN], 4, 4))
    # Bitmaps: three 4 x 4 sub-images, the middle one in the key colour.
    write_bmp(out("list.bmp"), blocks([RED, MAGENTA, BLUE], 4, 4), 24)
    # Per-pixel alpha: opaque red, clear, half-transparent blue.
    write_bmp(out("alpha.bmp"), blocks([RED, CLEAR, (0, 0, 255, 128)], 4, 4), 32)
    # A 5 x 5 frame cut at column 2 and row 2: corners, edges and centre all distinct.
    corner, edge, centre = RED, BLUE, GREEN
    frame = [[corner if (x != 2 and y != 2) else centre if (x == 2 and y == 2) else edge
              for x in range(5)] for y in range(5)]
    write_bmp(out("frame.bmp"), frame, 24)
    # Two 5 x 3 sub-images for the horizontal stretch, cut at column 2: left, middle, right.
    left, middle, right = RED, GREEN, BLUE
    state0 = [left, left, middle, right, right]
    state1 = [YELLOW, YELLOW, WHITE, BLACK, BLACK]
    write_bmp(out("horz.bmp"), [state0 + state1] * 3, 24)
    # A plain red 16 x 16 icon.
    write_ico(out("red.ico"), blocks([RED], 16, 16))


if __name__ == "__main__":
    main(sys.argv[1])
