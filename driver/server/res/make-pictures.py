#!/usr/bin/env python3
"""Draws the driver's pictures: the icon (32 x 32 and 16 x 16), the pointing
hand cursor of the About box's links, the form designers' toolbox bitmap and
the About box's logo. Run it here; its outputs are kept in the repository."""
import struct

def canvas(w, h):
    return [[None] * w for _ in range(h)]

def rect(img, x0, y0, x1, y1, color):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if 0 <= y < len(img) and 0 <= x < len(img[0]):
                img[y][x] = color

def disc(img, cx, cy, r, color):
    for y in range(len(img)):
        for x in range(len(img[0])):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                img[y][x] = color

def bolt(img, points, color):
    for x, y in points:
        rect(img, x, y, x, y, color)

GREY, DARK, BLUE, RED, BLACK, YELLOW, WHITE, GREEN = (
    (192, 192, 192), (64, 64, 64), (0, 0, 128), (200, 0, 0), (0, 0, 0), (255, 220, 0), (255, 255, 255), (0, 160, 0))

def tester(size):
    """A bench tester: grey case, blue display with a yellow flash, two terminals."""
    img = canvas(size, size)
    s = size / 32.0
    p = lambda v: int(round(v * s))
    rect(img, p(1), p(5), p(30), p(27), DARK)
    rect(img, p(2), p(6), p(29), p(26), GREY)
    rect(img, p(4), p(8), p(20), p(17), BLUE)
    bolt(img, [(p(x), p(y)) for x, y in
               [(13, 9), (12, 10), (11, 11), (10, 12), (11, 12), (12, 12), (13, 12), (12, 13), (11, 14), (10, 15), (9, 16),
                (14, 9), (13, 10), (12, 11), (14, 12), (13, 13), (12, 14), (11, 15)]], YELLOW)
    disc(img, p(25), p(11), max(1, p(2.5)), GREEN)
    disc(img, p(8), p(22), max(1, p(2.5)), RED)
    disc(img, p(16), p(22), max(1, p(2.5)), BLACK)
    rect(img, p(22), p(19), p(28), p(24), DARK)
    return img

def hand():
    """A pointing hand, the hot spot at the tip of the index finger (6, 0)."""
    img = canvas(32, 32)
    outline = BLACK
    rect(img, 5, 0, 8, 12, outline); rect(img, 6, 1, 7, 12, WHITE)
    rect(img, 3, 10, 17, 22, outline); rect(img, 4, 11, 16, 21, WHITE)
    rect(img, 6, 1, 7, 13, WHITE)
    for x in (9, 12, 15):
        rect(img, x, 8, x + 3, 10, outline); rect(img, x + 1, 9, x + 2, 11, WHITE)
        rect(img, x + 3, 11, x + 3, 14, outline)
    rect(img, 1, 13, 3, 17, outline); rect(img, 2, 14, 3, 16, WHITE)
    rect(img, 5, 21, 15, 23, outline)
    return img

def dib(img, bpp):
    """Rows bottom-up: 32-bit BGRA (transparent where unset) or 24-bit BGR on grey."""
    h, w = len(img), len(img[0])
    rows = []
    for row in reversed(img):
        data = b''
        for c in row:
            if bpp == 32:
                data += bytes((c[2], c[1], c[0], 255)) if c else b'\0\0\0\0'
            else:
                c = c or GREY
                data += bytes((c[2], c[1], c[0]))
        data += b'\0' * ((-len(data)) % 4)
        rows.append(data)
    return b''.join(rows)

def mask(img):
    rows = []
    for row in reversed(img):
        bits = 0
        for x, c in enumerate(row):
            if c is None:
                bits |= 1 << (31 - x)
        data = bits.to_bytes(4, 'big')
        rows.append(data)
    return b''.join(rows)

def icon_image(img):
    h, w = len(img), len(img[0])
    header = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + dib(img, 32) + mask(img)

def icon_file(images, kind=1, hotspot=None):
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for img in images:
        blob = icon_image(img)
        w = len(img[0])
        a, b = (1, 32) if kind == 1 else hotspot
        out += struct.pack('<BBBBHHII', w % 256, len(img) % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b''.join(blobs)

def bmp_file(img):
    h, w = len(img), len(img[0])
    pixels = dib(img, 24)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 54) + info + pixels

def logo():
    """The About box's logo: the tester beside a bar of the family's colours."""
    img = canvas(64, 32)
    small = tester(32)
    for y in range(32):
        for x in range(32):
            img[y][x] = small[y][x]
    for i, c in enumerate((BLUE, GREEN, YELLOW, RED)):
        rect(img, 36 + i * 7, 8, 41 + i * 7, 24, c)
    return img

open('Zew4400.ico', 'wb').write(icon_file([tester(32), tester(16)]))
open('Hand.cur', 'wb').write(icon_file([hand()], kind=2, hotspot=(6, 0)))
toolbox = tester(16)[:15]
open('Toolbox.bmp', 'wb').write(bmp_file([row[:16] for row in toolbox]))
open('Logo.bmp', 'wb').write(bmp_file(logo()))
