#!/usr/bin/env python3
"""Draws the program's images and writes them as Windows resource files.

Everything is drawn here from simple shapes, so the pictures can be changed and regenerated:
    scripts/make-icons.py [output-folder]      (default: src/win/app/res)
Outputs:
    kestrine.ico      program icon, the yellow dog's head, 16/32/48 pixels with alpha
    go_glyph.bmp      the Go button glyph, 32 x 32 normal then its grey disabled copy
    small_images.bmp  the 16 x 16 image strip: red, green, grey square, floppy disk, checklist
The two bitmaps are 24-bit with magenta (255, 0, 255) as the transparent colour.
"""
import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)


# --- shapes in unit coordinates (0..1, y downwards) -------------------------------------------

def ellipse(cx, cy, rx, ry, angle=0.0):
    cos_a, sin_a = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u = dx * cos_a + dy * sin_a
        v = -dx * sin_a + dy * cos_a
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
    return inside


def grown(cx, cy, rx, ry, angle, by):
    return ellipse(cx, cy, rx + by, ry + by, angle)


def dog_head_layers():
    """Back-to-front list of (shape, colour) pairs."""
    outline = (110, 70, 10)
    ear = (205, 140, 25)
    head = (250, 205, 40)
    snout = (255, 236, 150)
    layers = []
    for cx, angle in ((0.17, 18.0), (0.83, -18.0)):
        layers.append((grown(cx, 0.45, 0.12, 0.27, angle, 0.035), outline))
        layers.append((ellipse(cx, 0.45, 0.12, 0.27, angle), ear))
    layers.append((grown(0.5, 0.47, 0.31, 0.33, 0, 0.035), outline))
    layers.append((ellipse(0.5, 0.47, 0.31, 0.33), head))
    layers.append((ellipse(0.5, 0.69, 0.21, 0.16), (225, 180, 60)))
    layers.append((ellipse(0.5, 0.685, 0.185, 0.135), snout))
    layers.append((ellipse(0.5, 0.80, 0.055, 0.045), (225, 80, 90)))
    layers.append((ellipse(0.5, 0.60, 0.085, 0.06), (25, 20, 15)))
    for cx in (0.38, 0.62):
        layers.append((ellipse(cx, 0.41, 0.05, 0.065), (25, 20, 15)))
        layers.append((ellipse(cx - 0.015, 0.39, 0.017, 0.02), (255, 255, 255)))
    return layers


def render(layers, size, samples=6):
    """Returns rows of (r, g, b, coverage) with coverage 0..1, by supersampling."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = 0.0
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = None
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour is not None:
                        r, g, b = r + colour[0], g + colour[1], b + colour[2]
                        hits += 1
            if hits:
                row.append((round(r / hits), round(g / hits), round(b / hits), hits / samples**2))
            else:
                row.append((0, 0, 0, 0.0))
        rows.append(row)
    return rows


def keyed(rows):
    """Hard-edged copy for magenta-keyed bitmaps."""
    return [[(p[0], p[1], p[2]) if p[3] >= 0.5 else MAGENTA for p in row] for row in rows]


def greyed(rows):
    """The disabled look: light grey tones of the picture's brightness."""
    out = []
    for row in rows:
        new_row = []
        for p in row:
            if p == MAGENTA:
                new_row.append(p)
            else:
                level = 0.30 * p[0] + 0.59 * p[1] + 0.11 * p[2]
                grey = round(110 + level * 0.5)
                new_row.append((grey, grey, grey))
        out.append(new_row)
    return out


# --- 16 x 16 pixel art -----------------------------------------------------------------------

def blank16():
    return [[MAGENTA] * 16 for _ in range(16)]


def fill(img, x0, y0, x1, y1, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def framed(img, x0, y0, x1, y1, inner, border):
    fill(img, x0, y0, x1, y1, border)
    fill(img, x0 + 1, y0 + 1, x1 - 1, y1 - 1, inner)


def square(inner, border):
    img = blank16()
    framed(img, 2, 2, 13, 13, inner, border)
    return img


def floppy():
    img = blank16()
    framed(img, 1, 1, 14, 14, (45, 70, 160), (20, 30, 80))
    img[1][14] = MAGENTA
    img[2][13] = (20, 30, 80)
    framed(img, 4, 1, 11, 6, (205, 208, 215), (90, 95, 110))
    fill(img, 8, 2, 9, 5, (60, 65, 80))
    framed(img, 3, 8, 12, 14, (245, 245, 240), (20, 30, 80))
    fill(img, 5, 10, 10, 10, (150, 150, 160))
    fill(img, 5, 12, 10, 12, (150, 150, 160))
    return img


def checklist():
    img = blank16()
    framed(img, 2, 0, 13, 15, (255, 255, 255), (110, 110, 120))
    tick = (30, 150, 50)
    for top in (3, 7, 11):
        for x, y in ((4, 1), (5, 2), (6, 1), (7, 0)):
            img[top + y][x] = tick
        fill(img, 9, top + 1, 11, top + 1, (40, 60, 140))
    return img


# --- file writers ----------------------------------------------------------------------------

def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


def ico_image(rows):
    size = len(rows)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, round(a * 255)))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def write_ico(path, images):
    offset = 6 + 16 * len(images)
    directory = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    data = bytearray()
    for size, blob in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(directory + data)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "win", "app", "res")
    os.makedirs(out, exist_ok=True)
    layers = dog_head_layers()
    write_ico(os.path.join(out, "kestrine.ico"),
              [(s, ico_image(render(layers, s))) for s in (16, 32, 48)])
    glyph = keyed(render(layers, 32))
    disabled = greyed(glyph)
    write_bmp(os.path.join(out, "go_glyph.bmp"), [a + b for a, b in zip(glyph, disabled)])
    strip = [square((220, 40, 40), (130, 20, 20)), square((50, 180, 70), (20, 100, 35)),
             square((165, 165, 165), (100, 100, 100)), floppy(), checklist()]
    write_bmp(os.path.join(out, "small_images.bmp"),
              [sum((img[y] for img in strip), []) for y in range(16)])
    for name in ("kestrine.ico", "go_glyph.bmp", "small_images.bmp"):
        print(os.path.join(out, name))


if __name__ == "__main__":
    main()
