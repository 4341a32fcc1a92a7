#!/usr/bin/env python3
"""Draws the programs' icon and writes it as a Windows .ico with the ten images both programs
carry: 32x32 and 16x16 at 4 bits per pixel; 48, 32 and 16 at 8 bits; 256, 64, 48, 32 and 16 at
32 bits (the 256x256 image stored as PNG, as Windows Vista and later expect).

The picture is a blue rounded tile holding a white arrow that points down into a tray: an
installer step putting things in place. Only the Python standard library is used.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SUPERSAMPLE = 4
TILE_TOP = (52, 120, 220)
TILE_BOTTOM = (20, 64, 160)
WHITE = (255, 255, 255)


def in_rounded_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_glyph(x, y):
    """The white arrow and tray, in coordinates from 0 to 1 (y grows downwards)."""
    if 0.43 <= x <= 0.57 and 0.16 <= y <= 0.50:  # arrow shaft
        return True
    if 0.44 <= y <= 0.66:  # arrow head
        half = 0.21 * (0.66 - y) / 0.22
        if abs(x - 0.5) <= half:
            return True
    if 0.22 <= x <= 0.78 and 0.74 <= y <= 0.82:  # tray bottom
        return True
    if 0.58 <= y <= 0.82 and (0.22 <= x <= 0.30 or 0.70 <= x <= 0.78):  # tray sides
        return True
    return False


def sample(size, px, py):
    """Returns (red, green, blue, coverage) of one pixel, coverage from 0 to 1."""
    tile = glyph = 0
    n = SUPERSAMPLE
    for sy in range(n):
        for sx in range(n):
            x = (px + (sx + 0.5) / n) / size
            y = (py + (sy + 0.5) / n) / size
            if in_rounded_rect(x, y, 0.04, 0.04, 0.96, 0.96, 0.2):
                tile += 1
                if in_glyph(x, y):
                    glyph += 1
    total = n * n
    if tile == 0:
        return (0, 0, 0, 0.0)
    t = py / max(size - 1, 1)
    base = tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM))
    g = glyph / tile
    rgb = tuple(round(c * (1 - g) + w * g) for c, w in zip(base, WHITE))
    return rgb + (tile / total,)


def render(size):
    return [[sample(size, x, y) for x in range(size)] for y in range(size)]


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    pal = list(VGA16)
    steps = 240
    for i in range(steps):  # the tile gradient blended towards white, for the glyph's edges
        g = (i % 16) / 15
        t = (i // 16) / 14
        base = [a + (b - a) * t for a, b in zip(TILE_TOP, TILE_BOTTOM)]
        pal.append(tuple(round(c * (1 - g) + 255 * g) for c in base))
    return pal


def nearest(pal, rgb):
    return min(range(len(pal)), key=lambda i: sum((p - c) ** 2 for p, c in zip(pal[i], rgb)))


def row_pad(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(pixels, size):
    rows = []
    for y in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if pixels[y][x][3] < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(row_pad(bytes(bits)))
    return b"".join(rows)


def bmp_header(size, bpp, colours):
    image = size * size * bpp // 8
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, image, 0, 0, colours, 0)


def indexed_image(pixels, size, bpp):
    pal = VGA16 if bpp == 4 else palette256()
    rows = []
    for y in reversed(range(size)):
        idx = [nearest(pal, p[:3]) if p[3] >= 0.5 else 0 for p in pixels[y]]
        if bpp == 4:
            packed = bytes((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0)
                           for i in range(0, size, 2))
        else:
            packed = bytes(idx)
        rows.append(row_pad(packed))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    colours += b"\0" * (4 * (2 ** bpp) - len(colours))
    return bmp_header(size, bpp, 2 ** bpp) + colours + b"".join(rows) + and_mask(pixels, size)


def rgba_image(pixels, size):
    rows = []
    for y in reversed(range(size)):
        rows.append(b"".join(struct.pack("<BBBB", p[2], p[1], p[0], round(p[3] * 255))
                             for p in pixels[y]))
    return bmp_header(size, 32, 0) + b"".join(rows) + and_mask(pixels, size)


def png_image(pixels, size):
    raw = b"".join(b"\0" + b"".join(bytes(p[:3]) + bytes([round(p[3] * 255)]) for p in row)
                   for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


IMAGES = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8), (256, 32), (64, 32), (48, 32), (32, 32),
          (16, 32)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rendered = {}
    blobs = []
    for size, bpp in IMAGES:
        pixels = rendered.setdefault(size, render(size))
        if bpp < 32:
            blobs.append(indexed_image(pixels, size, bpp))
        elif size == 256:
            blobs.append(png_image(pixels, size))
        else:
            blobs.append(rgba_image(pixels, size))
    out = struct.pack("<HHH", 0, 1, len(IMAGES))
    offset = 6 + 16 * len(IMAGES)
    for (size, bpp), blob in zip(IMAGES, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    main()
