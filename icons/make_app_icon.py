#!/usr/bin/env python3
"""Draws the application icon of the Velmora editor (vlm.exe).

The picture is a small browser window whose toolbar carries custom buttons:
a blue one, a green one and a big gold one with a white star, the button the
user makes (at 16 pixels only the blue one has room beside it). Each size
(16, 32 and 48 pixels) is drawn on its own grid, pixel by pixel, with the
shape helpers and colours of make_icons.py, so the small sizes stay crisp
instead of being scaled down. Regenerate with

    python3 icons/make_app_icon.py

It writes icons/app/vlm.ico (the icon the editor's resource file links in)
with one 32-bit image per size, and a preview, docs/app-icon.png, that shows
the three sizes enlarged and at real size on a light and a dark background.

Only the standard library is used (struct, zlib), and the output is
byte-for-byte the same on every run.
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_icons as mi  # noqa: E402  (shape helpers, colours, PNG sheet)

from make_icons import pixels, rim  # noqa: E402

SIZES = (16, 32, 48)

# The library's colours, plus a few of the application icon's own.
RGB = dict(mi._COLOURS)
RGB.update({
    "face": (238, 236, 226),     # toolbar face
    "face2": (214, 211, 196),    # toolbar lower edge
    "paper": (250, 251, 253),    # the page below the toolbar
})


# ---------------------------------------------------------------------------
# Canvas: every pixel is an RGB triple or None (fully transparent).
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def fill(self, shape, colour):
        rgb = RGB[colour]
        for (x, y) in shape:
            if 0 <= x < self.size and 0 <= y < self.size:
                self.px[y][x] = rgb

    def draw(self, shape, fill, outline=None):
        self.fill(shape, fill)
        if outline:
            self.fill(rim(shape), outline)


# Shape helpers bound to one grid size.
class Shapes:
    def __init__(self, size):
        self.size = size

    def rect(self, x0, y0, x1, y1):
        return mi.rect(x0, y0, x1, y1, self.size)

    def round_rect(self, x0, y0, x1, y1):
        return mi.round_rect(x0, y0, x1, y1, self.size)

    def polygon(self, points):
        return mi.polygon(points, self.size)

    def star(self, cx, cy, r_out, r_in):
        return mi.polygon(mi._star_points(cx, cy, r_out, r_in), self.size)


# ---------------------------------------------------------------------------
# The picture, one function per size
# ---------------------------------------------------------------------------

def button(ic, s, box, fill, light, dark):
    """A rounded toolbar button with a light top-left and a dark outline."""
    x0, y0, x1, y1 = box
    body = s.round_rect(x0, y0, x1, y1)
    ic.draw(body, fill, dark)
    ic.fill(s.rect(x0 + 1, y0 + 1, x1 - 1, y0 + 1) | s.rect(x0 + 1, y0 + 1, x0 + 1, y1 - 1), light)
    return body


def draw_16():
    ic, s = Canvas(16), Shapes(16)
    window = s.round_rect(0, 1, 15, 14)
    ic.draw(window, "paper", "b0")
    ic.fill(s.rect(1, 2, 14, 3), "b2")                        # title bar
    ic.fill(s.rect(1, 2, 14, 2), "b3")
    ic.fill(s.rect(1, 4, 14, 9), "face")                      # toolbar
    ic.fill(s.rect(1, 10, 14, 10), "face2")
    ic.draw(s.rect(2, 5, 5, 8), "b2", "b0")                   # blue button
    ic.fill(pixels((3, 6)), "b3")
    ic.fill(s.rect(2, 12, 4, 12), "g4")                       # page text
    hot = s.round_rect(7, 4, 15, 12)                          # the star button
    ic.draw(hot, "y2", "o0")
    ic.fill(mi.bitmap(8, 5, ["   X   ",
                             "  XXX  ",
                             "XXXXXXX",
                             " XXXXX ",
                             "  XXX  ",
                             " XX XX ",
                             " X   X "]), "white")
    ic.fill(rim(window) - hot, "b0")                          # frame behind the button
    return ic


def draw_32():
    ic, s = Canvas(32), Shapes(32)
    window = s.round_rect(0, 2, 31, 29)
    ic.draw(window, "paper", "b0")
    ic.fill(s.rect(1, 3, 30, 7), "b2")                        # title bar
    ic.fill(s.rect(1, 3, 30, 3), "b3")
    ic.fill(s.rect(3, 5, 11, 5), "b4")                        # title text
    ic.fill(s.rect(1, 8, 30, 18), "face")                     # toolbar
    ic.fill(s.rect(1, 19, 30, 19), "face2")
    button(ic, s, (3, 10, 9, 16), "b2", "b3", "b0")
    button(ic, s, (11, 10, 17, 16), "n1", "n2", "n0")
    for y, x1 in ((22, 13), (25, 10)):
        ic.fill(s.rect(4, y, x1, y), "g4")
    hot = button(ic, s, (19, 8, 31, 22), "y2", "y3", "o0")   # the star button
    star = s.star(25.5, 15.6, 5.4, 2.3)
    ic.draw(star, "white")
    ic.fill(rim(window) - hot, "b0")                          # frame behind the button
    return ic


def draw_48():
    ic, s = Canvas(48), Shapes(48)
    window = s.round_rect(1, 3, 46, 44)
    ic.draw(window, "paper", "b0")
    ic.fill(s.rect(2, 4, 45, 11), "b2")                       # title bar
    ic.fill(s.rect(2, 4, 45, 5), "b3")
    ic.fill(s.rect(5, 7, 17, 8), "b4")                        # title text
    ic.fill(s.rect(2, 12, 45, 27), "face")                    # toolbar
    ic.fill(s.rect(2, 28, 45, 28), "face2")
    button(ic, s, (5, 15, 14, 24), "b2", "b3", "b0")
    button(ic, s, (17, 15, 26, 24), "n1", "n2", "n0")
    for y, x1 in ((32, 20), (36, 24), (40, 16)):
        ic.fill(s.rect(6, y, x1, y), "g4")
    hot = button(ic, s, (28, 12, 47, 33), "y2", "y3", "o0")  # the star button
    star = s.star(37.5, 23.6, 9.0, 3.7)
    ic.draw(star, "white")
    ic.fill(rim(window) - hot, "b0")                          # frame behind the button
    return ic


DRAW = {16: draw_16, 32: draw_32, 48: draw_48}


# ---------------------------------------------------------------------------
# ICO writer
#
#   ICONDIR          6 bytes            reserved 0, type 1, count 3
#   ICONDIRENTRY    16 bytes per image  sorted by size, smallest first
#   per image: BITMAPINFOHEADER (40 bytes, height doubled for colour + mask,
#   32 bpp, BI_RGB), colour rows of B, G, R, A bottom row first, then the
#   AND mask (1 bit a pixel, rows padded to 4 bytes, 1 = transparent).
# ---------------------------------------------------------------------------

def image_bytes(ic):
    n = ic.size
    and_stride = ((n + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        bits = bytearray(and_stride)
        for x, rgb in enumerate(ic.px[y]):
            if rgb is None:
                xor += b"\0\0\0\0"
                bits[x >> 3] |= 0x80 >> (x & 7)
            else:
                r, g, b = rgb
                xor += bytes((b, g, r, 255))
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(icons):
    icons = sorted(icons, key=lambda ic: ic.size)
    images = [image_bytes(ic) for ic in icons]
    out = struct.pack("<HHH", 0, 1, len(icons))
    offset = 6 + 16 * len(icons)
    for ic, data in zip(icons, images):
        dim = ic.size if ic.size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def check_ico(data, sizes):
    """Parse the file back and make sure every header agrees with the data."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 1, len(sizes))
    expect = 6 + 16 * count
    for i, n in enumerate(sizes):
        w, h, colours, res, planes, bpp, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        assert (w, h, colours, res, planes, bpp) == (n, n, 0, 0, 1, 32)
        assert offset == expect and offset + length <= len(data)
        (hsize, bw, bh, bplanes, bbpp, comp, img, _, _, _, _) = struct.unpack_from(
            "<IiiHHIIiiII", data, offset)
        assert (hsize, bw, bh, bplanes, bbpp, comp) == (40, n, 2 * n, 1, 32, 0)
        and_stride = ((n + 31) // 32) * 4
        assert img == n * n * 4 + n * and_stride
        assert length == 40 + img
        # Mask bit set exactly where alpha is 0.
        xor = offset + 40
        mask = xor + n * n * 4
        for row in range(n):
            for x in range(n):
                alpha = data[xor + (row * n + x) * 4 + 3]
                bit = (data[mask + row * and_stride + (x >> 3)] >> (7 - (x & 7))) & 1
                assert bit == (1 if alpha == 0 else 0)
        expect = offset + length
    assert expect == len(data)


# ---------------------------------------------------------------------------
# Preview
# ---------------------------------------------------------------------------

def put(sheet, x, y, ic, scale):
    for iy, row in enumerate(ic.px):
        for ix, rgb in enumerate(row):
            if rgb is not None:
                sheet.box(x + ix * scale, y + iy * scale, scale, scale, rgb)


def preview(icons):
    pad = 16
    big = 144
    scales = {16: 9, 32: 4, 48: 3}
    width = pad + len(icons) * (big + pad)
    height = pad + big + pad + 2 * (48 + 16) + pad
    sheet = mi.Sheet(width, height, (244, 244, 240))
    x = pad
    for ic in icons:
        scale = scales[ic.size]
        side = ic.size * scale
        off = (big - side) // 2
        sheet.box(x, pad, big, big, (252, 252, 250))
        sheet.frame(x - 1, pad - 1, big + 2, big + 2, (214, 214, 208))
        put(sheet, x + off, pad + off, ic, scale)
        x += big + pad
    # Real size on a light and a dark strip, as in a folder or on a taskbar.
    y = pad + big + pad
    for bg in ((255, 255, 255), (32, 36, 44)):
        sheet.box(pad, y, width - 2 * pad, 48 + 16, bg)
        x = pad + 12
        for ic in icons:
            put(sheet, x, y + 8 + (48 - ic.size) // 2, ic, 1)
            x += ic.size + 24
        y += 48 + 16
    return sheet.png()


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    icons = [DRAW[n]() for n in SIZES]
    data = ico_bytes(icons)
    check_ico(data, SIZES)
    app = os.path.join(here, "app")
    os.makedirs(app, exist_ok=True)
    with open(os.path.join(app, "vlm.ico"), "wb") as f:
        f.write(data)

    docs = os.path.join(os.path.dirname(here), "docs")
    os.makedirs(docs, exist_ok=True)
    with open(os.path.join(docs, "app-icon.png"), "wb") as f:
        f.write(preview(icons))


if __name__ == "__main__":
    main()
