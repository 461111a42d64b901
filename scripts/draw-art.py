#!/usr/bin/env python3
"""Draws the program's artwork (the icon) with nothing but the standard library.

Shapes are signed distance functions in pixel units; each pixel takes the coverage
0.5 - distance, which gives a one-pixel anti-aliased edge at every size.

    draw-art.py icon OUT.ico    the multi-size program icon
"""

import math
import struct
import sys
import zlib


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rgb(hex_text):
    return tuple(int(hex_text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


class Canvas:
    """An RGBA image with premultiplied float channels."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, distance, colour, box=None, opacity=1.0):
        """Composites a shape over the canvas. distance(x, y) is negative inside;
        colour(x, y) gives (r, g, b); box limits the pixels visited."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        for y in range(y0, y1):
            cy = y + 0.5
            row = y * self.width
            for x in range(x0, x1):
                cx = x + 0.5
                coverage = clamp(0.5 - distance(cx, cy)) * opacity
                if coverage <= 0.0:
                    continue
                r, g, b = colour(cx, cy)
                pixel = self.pixels[row + x]
                keep = 1.0 - coverage
                pixel[0] = r * coverage + pixel[0] * keep
                pixel[1] = g * coverage + pixel[1] * keep
                pixel[2] = b * coverage + pixel[2] * keep
                pixel[3] = coverage + pixel[3] * keep

    def rgba_rows(self):
        """Rows of straight (not premultiplied) 8-bit RGBA, top row first."""
        rows = []
        for y in range(self.height):
            row = bytearray()
            for pixel in self.pixels[y * self.width:(y + 1) * self.width]:
                alpha = pixel[3]
                if alpha <= 0.0:
                    row += b"\0\0\0\0"
                    continue
                row += bytes(int(round(clamp(channel / alpha) * 255)) for channel in pixel[:3])
                row.append(int(round(clamp(alpha) * 255)))
            rows.append(bytes(row))
        return rows


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) - radius


def capsule(ax, ay, bx, by, radius):
    """A segment from a to b with round ends."""
    dx, dy = bx - ax, by - ay
    length_sq = dx * dx + dy * dy

    def distance(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length_sq)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - radius
    return distance


def ring(cx, cy, outer, inner):
    return lambda x, y: max(math.hypot(x - cx, y - cy) - outer, inner - math.hypot(x - cx, y - cy))


def solid(colour):
    return lambda x, y: colour


def vertical_gradient(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, clamp((y - y0) / (y1 - y0)))


def polar(cx, cy, radius, clock_hours):
    """The point at radius from the centre in the direction of a clock hour (12 is up)."""
    angle = math.radians(clock_hours * 30.0)
    return cx + radius * math.sin(angle), cy - radius * math.cos(angle)


def draw_icon(size):
    """A clock face in a blue rim, with an orange return arrow for synchronisation."""
    canvas = Canvas(size, size)
    s = size / 256.0
    c = size / 2.0
    small = size <= 24
    box = (0, 0, size, size)

    # Soft shadow under the rim.
    canvas.fill(circle(c, c + 5 * s, 121 * s), solid((0.0, 0.0, 0.0)), box, opacity=0.25)
    canvas.fill(circle(c, c, 120 * s),
                vertical_gradient(rgb("3C8DDB"), rgb("0F3E75"), c - 120 * s, c + 120 * s), box)
    canvas.fill(circle(c, c, 97 * s),
                vertical_gradient(rgb("FFFFFF"), rgb("E3EAF2"), c - 97 * s, c + 97 * s), box)

    tick = rgb("2B3A4A")
    for hour in range(12):
        if small and hour % 3:
            continue
        long_tick = hour % 3 == 0
        ax, ay = polar(c, c, (86 if long_tick else 84) * s, hour)
        bx, by = polar(c, c, (70 if long_tick else 76) * s, hour)
        canvas.fill(capsule(ax, ay, bx, by, max((6 if long_tick else 3.5) * s, 0.6)),
                    solid(tick), box)

    hand = rgb("17324F")
    hx, hy = polar(c, c, 50 * s, 10)
    canvas.fill(capsule(c, c, hx, hy, max(9 * s, 1.0)), solid(hand), box)
    mx, my = polar(c, c, 72 * s, 2)
    canvas.fill(capsule(c, c, mx, my, max(6.5 * s, 0.8)), solid(hand), box)

    accent = rgb("F28C28")
    if not small:
        sx, sy = polar(c, c, 78 * s, 7)
        canvas.fill(capsule(c, c, sx, sy, max(2.5 * s, 0.5)), solid(accent), box)
    canvas.fill(circle(c, c, max(12 * s, 1.2)), solid(accent), box)

    # The return arrow: an arc along the rim ending in a head, from 1 to 4 o'clock.
    arc_radius, arc_width = 108 * s, 9 * s

    def arc(x, y):
        angle = math.degrees(math.atan2(x - c, c - y)) % 360.0
        band = abs(math.hypot(x - c, y - c) - arc_radius) - arc_width
        if 30.0 <= angle <= 110.0:
            return band
        ends = [polar(c, c, arc_radius, hours) for hours in (1.0, 110.0 / 30.0)]
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - arc_width

    if not small:
        canvas.fill(arc, solid(accent), box)
        tip = polar(c, c, arc_radius, 4.35)
        left = polar(c, c, arc_radius + 22 * s, 3.55)
        right = polar(c, c, arc_radius - 22 * s, 3.55)
        canvas.fill(triangle(tip, left, right), solid(accent), box)
    return canvas


def triangle(a, b, c):
    edges = [(a, b), (b, c), (c, a)]
    orientation = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])
    sign = 1.0 if orientation > 0 else -1.0

    def distance(x, y):
        worst = -1e9
        for (px, py), (qx, qy) in edges:
            ex, ey = qx - px, qy - py
            length = math.hypot(ex, ey)
            # Signed distance to the edge's line, positive outside.
            worst = max(worst, -sign * (ex * (y - py) - ey * (x - px)) / length)
        return worst
    return distance


def png_bytes(canvas):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in canvas.rgba_rows())
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(canvas):
    """A 32-bit icon image: header, bottom-up BGRA rows, then the 1-bit AND mask."""
    rows = canvas.rgba_rows()
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0,
                         0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for i in range(0, len(row), 4):
            r, g, b, a = row[i:i + 4]
            colour += bytes((b, g, r, a))
    mask_stride = ((canvas.width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(canvas.width):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_icon(path, sizes=(16, 24, 32, 48, 64, 256)):
    images = []
    for size in sizes:
        canvas = draw_icon(size)
        images.append((size, png_bytes(canvas) if size >= 256 else dib_bytes(canvas)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                                 len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + b"".join(data for _, data in images))


def main(argv):
    if len(argv) == 3 and argv[1] == "icon":
        write_icon(argv[2])
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
