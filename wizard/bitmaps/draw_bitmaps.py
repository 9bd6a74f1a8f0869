#!/usr/bin/python3
"""Draw the wizard's three bitmaps: a black capital sigma centred on a
yellow (or dark yellow) field, 4 bits per pixel, uncompressed, with the
module's 16-colour palette.

    draw_bitmaps.py [--png DIR [--scale N]]

Writes STATWIZMBMP.bmp, STATWIZPBMP.bmp and STATWIZTBMP.bmp beside this
program; with --png, also the same pictures as PNG files, enlarged N
times (8 by default), into DIR. Uses nothing beyond Python's standard
library, so the pictures can be made again anywhere.
"""
import os
import struct
import sys
import zlib

# Index order: black; the six dark colours (lit components 0xBF); light
# and dark grey; the six bright colours (0xFF); white. As (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),
    (0xBF, 0x00, 0x00), (0x00, 0xBF, 0x00), (0xBF, 0xBF, 0x00),
    (0x00, 0x00, 0xBF), (0xBF, 0x00, 0xBF), (0x00, 0xBF, 0xBF),
    (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_YELLOW, YELLOW = 0, 3, 11


def sigma_outline(w, h, bar, serif, serif_w, stroke, apex):
    """The sigma as one polygon in a w x h box, y downward: top and
    bottom bars of thickness bar with a serif of height serif and width
    serif_w at their right ends, joined on the left by a chevron whose
    strokes are stroke wide (measured across a row) and whose inner
    point stands at x = apex, halfway down."""
    mid = h / 2.0
    return [
        (0, 0), (w, 0), (w, serif), (w - serif_w, serif), (w - serif_w, bar),
        (stroke, bar), (apex + stroke, mid), (stroke, h - bar),
        (w - serif_w, h - bar), (w - serif_w, h - serif), (w, h - serif), (w, h),
        (0, h), (0, h - bar), (apex, mid), (0, bar),
    ]


def inside(poly, x, y):
    """Even-odd test of the point against the polygon."""
    hit = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < cross:
                hit = not hit
    return hit


def draw_sigma(w, h, **shape):
    """Rows of booleans, True where a pixel's centre lies in the sigma."""
    poly = sigma_outline(w, h, **shape)
    return [[inside(poly, x + 0.5, y + 0.5) for x in range(w)] for y in range(h)]


def picture(size, glyph, field):
    """size x size rows of palette indices, top row first, with the
    glyph centred; an odd margin puts the extra pixel right and below."""
    gh, gw = len(glyph), len(glyph[0])
    left, top = (size - gw) // 2, (size - gh) // 2
    rows = [[field] * size for _ in range(size)]
    for y in range(gh):
        for x in range(gw):
            if glyph[y][x]:
                rows[top + y][left + x] = BLACK
    return rows


def bmp_bytes(rows):
    """A BMP file: file header, 40-byte info header, 16-entry palette and
    4-bit rows bottom-up, each padded to a multiple of 4 bytes."""
    height, width = len(rows), len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, index in enumerate(row):
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        bits += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + palette + bytes(bits)


def png_bytes(rows, scale):
    """An 8-bit RGB PNG of the rows, each pixel a scale x scale square."""
    raw = bytearray()
    for row in rows:
        line = bytearray(b"\0")
        for index in row:
            line += bytes(PALETTE[index]) * scale
        raw += bytes(line) * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    width, height = len(rows[0]) * scale, len(rows) * scale
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def bitmaps():
    """(resource name, PNG name, rows) of the three bitmaps."""
    big = draw_sigma(35, 42, bar=5, serif=10, serif_w=5, stroke=8, apex=19)
    small = draw_sigma(12, 14, bar=2, serif=4, serif_w=2, stroke=3, apex=6)
    return [
        ("STATWIZMBMP", "statwiz-m.png", picture(64, big, YELLOW)),
        ("STATWIZPBMP", "statwiz-p.png", picture(20, small, YELLOW)),
        ("STATWIZTBMP", "statwiz-t.png", picture(20, small, DARK_YELLOW)),
    ]


def main(argv):
    png_dir, scale = None, 8
    args = list(argv)
    while args:
        opt = args.pop(0)
        if opt == "--png" and args:
            png_dir = args.pop(0)
        elif opt == "--scale" and args:
            scale = int(args.pop(0))
        else:
            sys.stderr.write(__doc__)
            return 2
    here = os.path.dirname(os.path.abspath(__file__))
    for name, png_name, rows in bitmaps():
        with open(os.path.join(here, name + ".bmp"), "wb") as f:
            f.write(bmp_bytes(rows))
        if png_dir:
            with open(os.path.join(png_dir, png_name), "wb") as f:
                f.write(png_bytes(rows, scale))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
