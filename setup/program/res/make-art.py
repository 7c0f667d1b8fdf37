#!/usr/bin/env python3
"""Draws the installer's pictures: the wizard bitmap (138 x 208, 24 bits) and
the program icon (32 x 32 and 16 x 16). Run it to regenerate Wizard.bmp and
Setup.ico beside it; the build uses the files as committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def wizard_pixel(x, y, w, h):
    # A teal sky fading to dark, a bench tester with a lit display, and a
    # lightning mark above it.
    t = y / (h - 1)
    r, g, b = int(0 + 20 * t), int(160 - 110 * t), int(160 - 110 * t)
    # tester body
    if 24 <= x < 114 and 120 <= y < 176:
        r, g, b = 205, 205, 200
        if 32 <= x < 80 and 128 <= y < 146:
            r, g, b = 20, 60, 30
            if 36 <= x < 76 and 134 <= y < 140:
                r, g, b = 90, 230, 110
        if (x - 96) ** 2 + (y - 137) ** 2 < 50:
            r, g, b = 200, 30, 30
        if 32 <= x < 106 and 156 <= y < 168 and (x // 8) % 2 == 0:
            r, g, b = 70, 70, 75
    # its shadow on the bench
    if 28 <= x < 118 and 176 <= y < 180:
        r, g, b = 10, 30, 30
    # lightning mark
    cx = 69
    if 30 <= y < 70 and abs(x - (cx + 12 - (y - 30) * 0.6)) < 5:
        r, g, b = 255, 220, 40
    if 66 <= y < 72 and cx - 14 <= x < cx + 14:
        r, g, b = 255, 220, 40
    if 70 <= y < 110 and abs(x - (cx + 10 - (y - 70) * 0.6)) < 5:
        r, g, b = 255, 220, 40
    return r, g, b


def write_bmp(path, w, h, pixel):
    stride = (w * 3 + 3) & ~3
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y, w, h)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)))
        f.write(header + rows)


def icon_pixel(x, y, size):
    s = size / 32
    # teal square with a white tester face and a yellow bolt
    a = 255
    r, g, b = 0, 128, 128
    if x < 1 * s or y < 1 * s or x >= size - 1 * s or y >= size - 1 * s:
        a = 0
    if 5 * s <= x < 27 * s and 14 * s <= y < 27 * s:
        r, g, b = 235, 235, 230
        if 8 * s <= x < 19 * s and 17 * s <= y < 22 * s:
            r, g, b = 40, 160, 60
    if 3 * s <= y < 14 * s and abs(x - (18 * s - (y - 3 * s) * 0.6)) < 2.2 * s:
        r, g, b = 255, 220, 40
    return r, g, b, a


def icon_image(size):
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = icon_pixel(x, y, size)
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(size):
            if icon_pixel(x, y, size)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


write_bmp(os.path.join(HERE, "Wizard.bmp"), 138, 208, wizard_pixel)
write_ico(os.path.join(HERE, "Setup.ico"), [32, 16])
