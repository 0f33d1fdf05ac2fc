#!/usr/bin/env python3
"""Draws the module's icons and bitmaps and writes them as .ico and .bmp files.

    make_artwork.py OUTPUT_DIR

Every picture is drawing code below (shapes on a 32-unit grid, rendered with
4 x 4 supersampling), so the files need no editor and no image library.
"""
import math
import os
import struct
import sys

from painter import Canvas

RED = (196, 36, 36)
DARK = (64, 64, 72)
PAPER = (252, 252, 248)
GRID = (170, 176, 190)
BLUE = (30, 96, 200)
GREEN = (34, 150, 60)
ORANGE = (232, 128, 24)
SILVER = (192, 192, 192)


def calendar(c, x0, y0, x1, y1, detail, grid=GRID):
    """A desk calendar page: rings, red header, a grid of days, one marked."""
    c.rect(x0, y0 + 2, x1, y1, DARK)
    c.rect(x0 + 1, y0 + 3, x1 - 1, y1 - 1, PAPER)
    c.rect(x0 + 1, y0 + 3, x1 - 1, y0 + 8, RED)
    for rx in (x0 + (x1 - x0) * 0.28, x0 + (x1 - x0) * 0.72):
        c.rect(rx - 1.2, y0, rx + 1.2, y0 + 5.5, DARK)
    cols, rows = (5, 4) if detail else (3, 2)
    gx0, gy0, gx1, gy1 = x0 + 3, y0 + 10.5, x1 - 3, y1 - 2.5
    cw, ch = (gx1 - gx0) / cols, (gy1 - gy0) / rows
    for r in range(rows):
        for k in range(cols):
            colour = BLUE if (r, k) == (1, cols - 2) else grid
            c.rect(gx0 + k * cw + 0.5, gy0 + r * ch + 0.5, gx0 + (k + 1) * cw - 0.5,
                   gy0 + (r + 1) * ch - 0.5, colour)


def arrow(c, x0, x1, y, colour, half_width, head):
    """A horizontal arrow from x0 to x1 (pointing at x1), outlined."""
    d = 1 if x1 > x0 else -1
    neck = x1 - d * head

    def shape(grow):
        return [(x0 - d * grow, y - half_width - grow), (neck, y - half_width - grow),
                (neck, y - half_width - head * 0.55 - grow * 1.6), (x1 + d * grow * 1.8, y),
                (neck, y + half_width + head * 0.55 + grow * 1.6), (neck, y + half_width + grow),
                (x0 - d * grow, y + half_width + grow)]
    c.polygon(shape(1.0), DARK)
    c.polygon(shape(0.0), colour)


def gear(c, cx, cy, radius, colour):
    teeth, points = 8, []
    for i in range(teeth * 4):
        angle = 2 * math.pi * i / (teeth * 4)
        r = radius if (i % 4) in (0, 1) else radius * 0.72
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    c.polygon([(x, y) for x, y in points], DARK)
    inner = [(cx + (x - cx) * 0.86, cy + (y - cy) * 0.86) for x, y in points]
    c.polygon(inner, colour)
    c.circle(cx, cy, radius * 0.3, PAPER)


def program_icon(c, detail, badge=True, grid=GRID):
    """The calendar with an orange badge of two arrows: appointments in and out."""
    calendar(c, 2, 1, 30, 30, detail, grid)
    if not badge:
        return
    c.circle(23.5, 23.5, 8, DARK)
    c.circle(23.5, 23.5, 7, ORANGE)
    c.polygon([(18, 20.5), (25, 20.5), (25, 18), (29, 21.5), (25, 25), (25, 22.5), (18, 22.5)], PAPER)
    c.polygon([(29, 24.5), (22, 24.5), (22, 22), (18, 25.5), (22, 29), (22, 26.5), (29, 26.5)], PAPER)


def import_icon(c, detail):
    calendar(c, 9, 2, 31, 30, detail)
    arrow(c, 1, 18, 20, GREEN, 2.6, 7)


def export_icon(c, detail):
    calendar(c, 1, 2, 23, 30, detail)
    arrow(c, 13, 31, 20, BLUE, 2.6, 7)


def options_icon(c, detail):
    calendar(c, 1, 1, 25, 28, detail)
    gear(c, 22, 22, 9.5, (120, 128, 140))


def delete_icon(c, detail):
    for (ax, ay, bx, by) in ((7, 7, 25, 25), (25, 7, 7, 25)):
        c.line(ax, ay, bx, by, 7.5, DARK)
    for (ax, ay, bx, by) in ((7, 7, 25, 25), (25, 7, 7, 25)):
        c.line(ax, ay, bx, by, 5, (214, 40, 40))


def ico_bytes(images):
    """An .ico holding 32-bit images (with alpha and an AND mask)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for canvas in images:
        size = canvas.size
        pixels = b"".join(struct.pack("<BBBB", b, g, r, a)
                          for row in reversed(canvas.rgba_rows()) for (r, g, b, a) in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(canvas.rgba_rows()):
            line = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    line[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(line)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                           len(pixels) + len(mask), 0, 0, 0, 0)
        blob = info + pixels + mask
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def bmp_bytes(rows, palette=None):
    """A bottom-up .bmp: 24-bit, or 4-bit with the given 16-colour palette."""
    height, width = len(rows), len(rows[0])
    if palette is None:
        stride = (width * 3 + 3) & ~3
        data = b"".join(b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row).ljust(stride, b"\0")
                        for row in reversed(rows))
        bits, table = 24, b""
    else:
        stride = ((width + 7) // 8) * 4

        def nearest(colour):
            return min(range(16), key=lambda i: sum((p - q) ** 2 for p, q in zip(palette[i], colour)))
        data = b""
        for row in reversed(rows):
            indices = [nearest(p) for p in row] + [0]
            packed = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, width, 2))
            data += packed.ljust(stride, b"\0")
        bits = 4
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       16 if palette else 0, 0)
    offset = 14 + len(info) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + info + table + data


ICONS = {"program": program_icon, "import": import_icon, "export": export_icon,
         "options": options_icon, "delete_field": delete_icon}


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in ICONS.items():
        images = []
        for size in (32, 16):
            canvas = Canvas(size, scale=size / 32)
            draw(canvas, size >= 32)
            images.append(canvas)
        with open(os.path.join(out, name + ".ico"), "wb") as f:
            f.write(ico_bytes(images))
    about = Canvas(96, scale=3, background=(232, 240, 252, 255))
    program_icon(about, True)
    with open(os.path.join(out, "about.bmp"), "wb") as f:
        f.write(bmp_bytes(about.rgb_rows()))
    menu = Canvas(16, scale=0.5, background=SILVER + (255,))
    program_icon(menu, False, badge=False, grid=(128, 128, 128))
    with open(os.path.join(out, "host_menu.bmp"), "wb") as f:
        f.write(bmp_bytes(menu.rgb_rows(), VGA16))


if __name__ == "__main__":
    main()
