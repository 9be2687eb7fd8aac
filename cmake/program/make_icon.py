#!/usr/bin/env python3
"""Writes a program icon as a .ico with 16, 32 and 48 pixel images: a display adapter on a blue tile
with a sweeping stroke (cleaner, Tarvex) or on a green tile with a check mark (fixtool, Quellix).

Usage: make_icon.py OUT.ico [cleaner|fixtool]"""
import struct
import sys


def on_check_mark(x, y):
    """True on the two strokes of a check mark in the upper right of the tile."""
    def near(ax, ay, bx, by, width):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= width * width
    return near(0.52, 0.16, 0.64, 0.28, 0.05) or near(0.64, 0.28, 0.88, 0.06, 0.05)


def shade(x, y, variant):
    """Colour (r, g, b, a) of the point (x, y) of the unit square, or None for transparent."""
    # Rounded blue tile.
    r = 0.16
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    if variant == "fixtool":
        colour = (int(20 + 24 * (1 - y)), int(80 + 50 * (1 - y)), int(44 + 30 * (1 - y)))
    else:
        colour = (int(24 + 30 * (1 - y)), int(44 + 40 * (1 - y)), int(96 + 60 * (1 - y)))
    # Board with an edge connector.
    if 0.14 <= x <= 0.86 and 0.30 <= y <= 0.68:
        colour = (28, 120, 60)
        fx, fy, fr = 0.60, 0.49, 0.15
        d = (x - fx) ** 2 + (y - fy) ** 2
        if d <= (fr * 0.30) ** 2:
            colour = (210, 50, 50)
        elif d <= fr * fr:
            colour = (40, 44, 52)
        elif 0.42 <= x <= 0.80 and 0.33 <= y <= 0.65:
            colour = (80, 86, 100)
        elif 0.20 <= x <= 0.32 and (0.36 <= y <= 0.44 or 0.52 <= y <= 0.60):
            colour = (20, 20, 24)
    elif 0.24 <= x <= 0.76 and 0.68 < y <= 0.76 and int(x * 24) % 2 == 0:
        colour = (226, 186, 64)
    if variant == "fixtool":
        if on_check_mark(x, y):
            colour = (255, 255, 255)
        return colour + (255,)
    # A sweeping stroke across the top.
    dx, dy = x - 0.5, y - 1.05
    ring = (dx * dx + dy * dy) ** 0.5
    if 0.80 <= ring <= 0.88 and y < 0.30:
        colour = (255, 214, 90)
    return colour + (255,)


def image(size, variant):
    """A BMP-in-ICO image: header, BGRA rows bottom-up, AND mask."""
    samples = 4
    rows = []
    for py in range(size - 1, -1, -1):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = shade((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size,
                              variant)
                    if c:
                        for i in range(3):
                            acc[i] += c[i]
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                row += bytes((0, 0, 0, 0))
            else:
                row += bytes((acc[2] // n, acc[1] // n, acc[0] // n, 255 * n // (samples * samples)))
        rows.append(bytes(row))
    mask_row = bytes(((size + 31) // 32) * 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask_row * size


def main():
    sizes = (16, 32, 48)
    variant = sys.argv[2] if len(sys.argv) > 2 else "cleaner"
    images = [image(s, variant) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
