#!/usr/bin/env python3
"""Draws Velmora's built-in toolbar icon library.

Every picture is built from a handful of primitives (rectangles, circles,
polygons, thick line segments) on a 20 x 20 grid, so the set can be tweaked
and regenerated at any time with

    python3 icons/make_icons.py

For every picture n (1..25) two files are written next to this script:

    n.ico    colour look, shown while the mouse is over the button ("hot")
    ngr.ico  the same picture in greys, the button's normal look

Each file holds one 20 x 20, 256-colour icon. All icons share a single
palette; the grey files simply carry a grey version of that palette, so the
pixel data of n.ico and ngr.ico is identical.

A contact sheet with every icon enlarged is written to
docs/library-icons.png (relative to the repository root).

Only the standard library is used (struct, zlib), and the output is
byte-for-byte the same on every run.
"""

import math
import os
import struct
import zlib

SIZE = 20
COUNT = 25

# ---------------------------------------------------------------------------
# Palette
#
# Index 0 is reserved for transparent pixels: the AND mask is 1 there and the
# colour bits are 0 (black), which is what Windows expects for a clean
# transparent icon pixel. Opaque black uses its own entry ("ink").
# ---------------------------------------------------------------------------

_COLOURS = [
    ("clear", (0, 0, 0)),
    ("ink", (24, 24, 28)),
    ("white", (255, 255, 255)),
    # neutral greys
    ("g1", (64, 64, 70)),
    ("g2", (112, 114, 120)),
    ("g3", (160, 162, 168)),
    ("g4", (204, 206, 210)),
    ("g5", (232, 233, 236)),
    # blue
    ("b0", (16, 44, 110)),
    ("b1", (34, 84, 180)),
    ("b2", (64, 130, 225)),
    ("b3", (140, 190, 245)),
    ("b4", (205, 228, 252)),
    ("sea", (36, 96, 196)),
    # green
    ("n0", (22, 96, 30)),
    ("n1", (56, 150, 52)),
    ("n2", (120, 200, 96)),
    ("n3", (196, 232, 176)),
    # red
    ("r0", (128, 18, 20)),
    ("r1", (206, 40, 40)),
    ("r2", (240, 110, 100)),
    ("r3", (252, 190, 182)),
    # yellow / gold
    ("y0", (150, 100, 0)),
    ("y1", (230, 170, 10)),
    ("y2", (252, 210, 50)),
    ("y3", (255, 238, 150)),
    # orange
    ("o0", (170, 70, 0)),
    ("o1", (240, 130, 20)),
    # brown / wood
    ("w0", (90, 52, 20)),
    ("w1", (150, 92, 42)),
    ("w2", (214, 164, 104)),
    ("w3", (246, 222, 180)),
    # purple
    ("p0", (70, 30, 120)),
    ("p1", (120, 70, 190)),
    ("p2", (180, 150, 235)),
    # skin
    ("s0", (176, 112, 72)),
    ("s1", (244, 198, 156)),
    # pink (pencil eraser)
    ("k1", (236, 120, 150)),
    # steel (blue-grey metal)
    ("m0", (52, 62, 84)),
    ("m1", (110, 126, 156)),
    ("m2", (160, 176, 204)),
    ("m3", (212, 222, 238)),
    # LCD green-grey
    ("lcd", (184, 214, 176)),
]

PAL = {name: i for i, (name, _) in enumerate(_COLOURS)}
CLEAR = PAL["clear"]
assert len(_COLOURS) <= 256


def colour_palette():
    """The 256-entry RGB palette used by the colour ("hot") icons."""
    pal = [rgb for _, rgb in _COLOURS]
    return pal + [(0, 0, 0)] * (256 - len(pal))


def grey_palette(lighten=0.22):
    """Luminance of every palette entry, pulled a little towards white so the
    normal (inactive) look is softer than the hot one. Entry 0 stays black
    because it backs the transparent pixels."""
    out = []
    for i, (r, g, b) in enumerate(colour_palette()):
        if i == CLEAR or i >= len(_COLOURS):
            out.append((0, 0, 0))
            continue
        y = 0.299 * r + 0.587 * g + 0.114 * b
        y = y + (255 - y) * lighten
        v = int(round(min(255.0, y)))
        out.append((v, v, v))
    return out


# ---------------------------------------------------------------------------
# Shapes
#
# A shape is a frozenset of (x, y) pixels. Geometry is given in continuous
# coordinates where pixel (x, y) covers [x, x+1) x [y, y+1); a pixel belongs to
# a shape when its centre does. rect() is the exception: it takes inclusive
# pixel coordinates, which is far easier to reason about for boxes.
#
# Shapes are clipped to a square grid of `size` pixels, SIZE unless told
# otherwise (other icons, such as the editor's application icon, reuse these
# helpers at their own sizes).
# ---------------------------------------------------------------------------

_GRIDS = {}


def _grid(size):
    if size not in _GRIDS:
        _GRIDS[size] = [(x, y) for y in range(size) for x in range(size)]
    return _GRIDS[size]


def _where(test, size=SIZE):
    return frozenset((x, y) for (x, y) in _grid(size) if test(x + 0.5, y + 0.5))


def rect(x0, y0, x1, y1, size=SIZE):
    return frozenset((x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
                     if 0 <= x < size and 0 <= y < size)


def round_rect(x0, y0, x1, y1, size=SIZE):
    """Inclusive pixel box with its four corner pixels knocked off."""
    return rect(x0, y0, x1, y1, size) - {(x0, y0), (x1, y0), (x0, y1), (x1, y1)}


def ellipse(cx, cy, rx, ry, size=SIZE):
    return _where(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, size)


def circle(cx, cy, r, size=SIZE):
    return ellipse(cx, cy, r, r, size)


def polygon(points, size=SIZE):
    """Even-odd fill of a polygon given as a list of (x, y) vertices."""
    def inside(px, py):
        hit = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > py) != (y1 > py):
                xc = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
                if px < xc:
                    hit = not hit
        return hit
    return _where(inside, size)


def segment(x0, y0, x1, y1, width, size=SIZE):
    """Thick line with round ends."""
    dx, dy = x1 - x0, y1 - y0
    len2 = dx * dx + dy * dy
    half = width / 2.0

    def near(px, py):
        t = 0.0 if len2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / len2))
        qx, qy = x0 + t * dx - px, y0 + t * dy - py
        return qx * qx + qy * qy <= half * half
    return _where(near, size)


def polyline(points, width, size=SIZE):
    out = frozenset()
    for a, b in zip(points, points[1:]):
        out |= segment(a[0], a[1], b[0], b[1], width, size)
    return out


def annulus(cx, cy, r_in, r_out, size=SIZE):
    return circle(cx, cy, r_out, size) - circle(cx, cy, r_in, size)


def pixels(*coords):
    return frozenset(coords)


def bitmap(x0, y0, rows):
    """A small hand-placed pattern: 'X' marks a pixel."""
    return frozenset((x0 + dx, y0 + dy)
                     for dy, row in enumerate(rows)
                     for dx, ch in enumerate(row) if ch == "X")


def rim(shape):
    """Pixels of the shape that touch the outside (4-neighbourhood). This
    gives a one-pixel outline that stays inside the shape's own area."""
    return frozenset((x, y) for (x, y) in shape
                     if (x - 1, y) not in shape or (x + 1, y) not in shape
                     or (x, y - 1) not in shape or (x, y + 1) not in shape)


# ---------------------------------------------------------------------------
# Canvas
# ---------------------------------------------------------------------------

class Icon:
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def fill(self, shape, colour):
        c = PAL[colour]
        for (x, y) in shape:
            if 0 <= x < SIZE and 0 <= y < SIZE:
                self.px[y][x] = c

    def draw(self, shape, fill, outline=None):
        """Fill a shape and, optionally, trace its edge in a darker colour."""
        self.fill(shape, fill)
        if outline:
            self.fill(rim(shape), outline)

    def edge(self, shape, colour):
        self.fill(rim(shape), colour)

    def erase(self, shape):
        for (x, y) in shape:
            self.px[y][x] = CLEAR


# ---------------------------------------------------------------------------
# The pictures
# ---------------------------------------------------------------------------

def icon_globe():
    ic = Icon()
    ball = circle(10, 10, 9)
    ic.draw(ball, "sea")
    inside = ball - rim(ball)
    # Land masses: a "new world" on the left and an "old world" on the right.
    land = (polygon([(3, 5), (6, 3), (10, 3.5), (10, 6), (8, 8), (8.5, 10),
                     (6, 10), (4, 8.5)])
            | polygon([(7.5, 11), (11, 11.5), (11.5, 13.5), (9.5, 17.5), (8, 17),
                       (8, 14)])
            | polygon([(12.5, 3), (16, 4.5), (18, 8), (16, 9.5), (17, 12),
                       (15, 15.5), (13.5, 14), (13.5, 10.5), (12, 9), (13.5, 6.5)]))
    land &= inside
    ic.fill(land, "n2")
    # A glint of light on the upper left of the sphere.
    ic.fill(pixels((5, 4), (4, 5), (6, 3)) - land, "b4")
    ic.edge(ball, "b0")
    return ic


def icon_house():
    ic = Icon()
    ic.draw(rect(13, 2, 15, 7), "w1", "w0")                      # chimney
    walls = rect(3, 9, 16, 18)
    ic.draw(walls, "w3", "w0")
    roof = polygon([(0, 10.5), (10, 0.5), (20, 10.5)])
    ic.draw(roof, "r1", "r0")
    ic.fill(polygon([(3.6, 9.2), (10, 2.8), (16.4, 9.2)]) - rim(roof), "r2")
    ic.draw(rect(5, 12, 8, 18), "w1", "w0")                       # door
    ic.fill(pixels((7, 15)), "y2")
    window = rect(11, 12, 14, 15)
    ic.draw(window, "b3", "w0")
    ic.fill(pixels((12, 13)), "b4")
    return ic


def icon_folder():
    ic = Icon()
    back = rect(1, 4, 18, 17) | polygon([(1, 2), (7, 2), (9, 4.5), (1, 4.5)])
    ic.draw(back, "y1", "y0")
    ic.fill(rect(2, 5, 17, 6), "y3")                              # paper peeking out
    front = polygon([(1, 18), (3.8, 7.5), (20, 7.5), (17.2, 18)])
    ic.draw(front, "y2", "y0")
    ic.fill(polygon([(5, 8.5), (18.6, 8.5), (18.3, 9.5), (4.7, 9.5)]) - rim(front), "y3")
    return ic


def icon_envelope():
    ic = Icon()
    body = rect(1, 4, 18, 15)
    ic.draw(body, "white", "b0")
    # The lower folds, faint.
    ic.fill(polyline([(2, 14.5), (7.5, 9.5)], 1) | polyline([(18, 14.5), (12.5, 9.5)], 1), "b3")
    flap = polygon([(1.5, 4.5), (10, 11.8), (18.5, 4.5)])
    ic.draw(flap, "b4", "b0")
    ic.fill(rim(body), "b0")
    return ic


def icon_gear():
    ic = Icon()
    teeth = 8

    def in_gear(x, y):
        dx, dy = x - 10, y - 10
        r = math.hypot(dx, dy)
        a = (math.atan2(dy, dx) + math.pi / teeth / 2) % (2 * math.pi / teeth)
        outer = 9.3 if a < math.pi / teeth else 6.9
        return r <= outer
    gear = _where(in_gear)
    ic.draw(gear, "m2", "m0")
    ic.fill(annulus(10, 10, 3.2, 5.0), "m1")
    hole = circle(10, 10, 2.5)
    ic.erase(hole)
    ic.edge(circle(10, 10, 3.6), "m0")
    ic.erase(hole)
    return ic


def _star_points(cx, cy, r_out, r_in, n=5):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = -math.pi / 2 + i * math.pi / n
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def icon_star():
    ic = Icon()
    star = polygon(_star_points(10, 10.8, 10.2, 4.1))
    ic.draw(star, "y2", "y0")
    ic.fill(polygon(_star_points(10, 10.8, 5.0, 2.0)) - rim(star), "y3")
    return ic


def icon_note():
    ic = Icon()
    heads = ellipse(5.0, 15.4, 3.2, 2.3) | ellipse(14.4, 13.4, 3.2, 2.3)
    stems = rect(7, 4, 7, 15) | rect(16, 2, 16, 13)
    beam = polygon([(7, 3.6), (17.2, 1.2), (17.2, 4.6), (7, 7.0)])
    ic.draw(heads | stems | beam, "p1", "p0")
    ic.fill(stems | beam - rim(beam), "p0")
    ic.fill(pixels((4, 14), (13, 12)), "p2")
    return ic


def icon_calculator():
    ic = Icon()
    ic.draw(round_rect(3, 1, 16, 18), "m1", "m0")
    ic.draw(rect(5, 3, 14, 6), "lcd", "m0")
    ic.fill(pixels((10, 4), (10, 5), (12, 4), (13, 4), (13, 5), (12, 5)), "n0")
    for row, y in enumerate((8, 11, 14)):
        for col, x in enumerate((5, 9, 13)):
            colour = "o1" if (row, col) == (2, 2) else "white"
            ic.fill(rect(x, y, x + 1, y + 1), colour)
            ic.fill(pixels((x + 1, y + 1)), "o0" if colour == "o1" else "g4")
    ic.fill(rect(5, 17, 14, 17), "m2")
    return ic


def icon_terminal():
    ic = Icon()
    window = rect(1, 2, 18, 17)
    ic.draw(window, "ink", "g1")
    ic.fill(rect(2, 3, 17, 5), "b1")
    ic.fill(rect(15, 4, 16, 4), "white")                          # close box
    ic.fill(rect(3, 4, 8, 4), "b3")                               # title text
    prompt = bitmap(4, 8, ["XX   ",
                           " XX  ",
                           "  XX ",
                           " XX  ",
                           "XX   "])
    ic.fill(prompt, "g5")
    ic.fill(rect(9, 12, 13, 13), "g5")                            # cursor
    return ic


def icon_printer():
    ic = Icon()
    ic.draw(rect(5, 1, 14, 8), "white", "g2")                     # paper waiting
    ic.draw(round_rect(1, 6, 18, 14), "m2", "m0")
    ic.fill(rect(2, 7, 17, 7), "m3")
    ic.fill(rect(3, 12, 16, 13), "m0")                           # output slot
    ic.fill(pixels((15, 9), (16, 9)), "n2")                        # power light
    page = rect(5, 13, 14, 18)
    ic.draw(page, "white", "g2")
    ic.fill(rect(7, 15, 12, 15) | rect(7, 17, 10, 17), "b2")
    return ic


def icon_magnifier():
    ic = Icon()
    handle = segment(12.8, 12.8, 17.6, 17.6, 3.6)
    ic.draw(handle, "w1", "w0")
    frame = circle(8, 8, 7)
    ic.draw(frame, "g2", "g1")
    lens = circle(8, 8, 5)
    ic.draw(lens, "b4", "g1")
    ic.fill(pixels((5, 6), (5, 5), (6, 5), (6, 4), (7, 4)) , "white")
    ic.fill(pixels((13, 13), (12, 13), (13, 12)), "g1")
    return ic


def icon_document():
    ic = Icon()
    page = polygon([(3, 1), (12.5, 1), (17, 5.5), (17, 19), (3, 19)])
    ic.draw(page, "white", "g1")
    fold = polygon([(12, 1), (12, 6), (17, 6)])
    ic.draw(fold, "g4", "g1")
    for y in (8, 10, 12, 14, 16):
        ic.fill(rect(5, y, 14 if y != 16 else 10, y), "b2")
    ic.fill(rect(5, 4, 9, 4), "b1")
    return ic


def icon_floppy():
    ic = Icon()
    body = polygon([(1, 1), (17, 1), (19, 3), (19, 19), (1, 19)])
    ic.draw(body, "b1", "b0")
    ic.draw(rect(5, 1, 14, 7), "m3", "m0")                        # metal shutter
    ic.fill(rect(11, 2, 12, 5), "b1")
    label = rect(4, 10, 15, 19)
    ic.draw(label, "white", "b0")
    ic.fill(rect(6, 12, 13, 12) | rect(6, 14, 13, 14) | rect(6, 16, 11, 16), "b3")
    ic.fill(rim(body), "b0")
    return ic


def icon_clock():
    ic = Icon()
    ring = circle(9.5, 9.5, 9.4)
    ic.draw(ring, "b1", "b0")
    face = circle(9.5, 9.5, 7.2)
    ic.draw(face, "white", "b0")
    ic.fill(pixels((9, 3), (15, 9), (9, 15), (3, 9)), "g2")
    ic.fill(pixels((12, 4), (14, 6), (14, 12), (12, 14), (6, 14), (4, 12), (4, 6), (6, 4)), "g4")
    ic.fill(rect(9, 4, 9, 9), "ink")                              # minute hand
    ic.fill(rect(9, 9, 13, 9), "ink")                             # hour hand
    ic.fill(pixels((9, 9)), "r1")
    return ic


def icon_calendar():
    ic = Icon()
    ic.draw(rect(1, 3, 18, 18), "white", "g1")
    ic.draw(rect(1, 3, 18, 7), "r1", "r0")
    ic.fill(rect(2, 4, 17, 4), "r2")
    for x in (5, 13):                                             # binder rings
        ic.fill(rect(x, 1, x + 1, 5), "g2")
        ic.fill(rect(x, 1, x, 5), "g1")
    for row, y in enumerate((9, 12, 15)):
        for col, x in enumerate((3, 6, 9, 12, 15)):
            if row == 2 and col > 2:
                continue
            colour = "r1" if (row, col) == (1, 2) else "g3"
            ic.fill(rect(x, y, x + 1, y + 1), colour)
    return ic


def icon_camera():
    ic = Icon()
    ic.draw(rect(6, 3, 12, 6), "g2", "g1")                        # viewfinder hump
    body = round_rect(1, 5, 18, 17)
    ic.draw(body, "g2", "g1")
    ic.fill(rect(2, 6, 17, 7), "g3")
    ic.fill(rim(body), "g1")
    ic.draw(rect(14, 7, 16, 8), "y3", "g1")                       # flash
    lens = circle(9.5, 11.5, 5.4)
    ic.draw(lens, "g4", "ink")
    glass = circle(9.5, 11.5, 3.4)
    ic.draw(glass, "b1", "b0")
    ic.fill(pixels((8, 10), (8, 9), (9, 9)), "b3")
    return ic


def icon_heart():
    ic = Icon()
    heart = (circle(5.6, 6.9, 4.8) | circle(14.4, 6.9, 4.8)
             | polygon([(1.2, 8.4), (10, 18.6), (18.8, 8.4), (10, 5)]))
    ic.draw(heart, "r1", "r0")
    ic.fill(pixels((4, 4), (5, 4), (3, 5), (3, 6), (4, 5)), "r3")
    return ic


def icon_bolt():
    ic = Icon()
    bolt = polygon([(12.5, 0.5), (2.5, 11.5), (9, 11.5), (6, 19.6),
                    (17.5, 7.5), (11, 7.5), (15, 0.5)])
    ic.draw(bolt, "y2", "o0")
    ic.fill(polygon([(12.6, 2.0), (5.5, 10.2), (7, 10.2)]) - rim(bolt), "y3")
    return ic


def icon_key():
    ic = Icon()
    head = circle(5.5, 10, 5)
    shaft = rect(9, 9, 18, 11)
    teeth = rect(13, 12, 14, 14) | rect(16, 12, 17, 13)
    hole = circle(4.5, 10, 1.6)
    key = (head | shaft | teeth) - hole
    ic.draw(key, "y2", "y0")
    ic.fill(pixels((4, 6), (5, 6), (3, 7)), "y3")
    ic.edge(circle(4.5, 10, 2.6), "y0")
    ic.erase(hole)
    return ic


def icon_lock():
    ic = Icon()
    shackle = (annulus(10, 8, 3.2, 6) & rect(0, 0, 19, 8)) | rect(4, 8, 5, 10) | rect(14, 8, 15, 10)
    ic.draw(shackle, "m2", "m0")
    body = round_rect(2, 9, 17, 19)
    ic.draw(body, "y2", "y0")
    ic.fill(rect(3, 10, 16, 10), "y3")
    keyhole = bitmap(8, 12, [" XX ",
                             "XXXX",
                             "XXXX",
                             " XX ",
                             " XX ",
                             "XXXX"])
    ic.fill(keyhole, "ink")
    return ic


def icon_person():
    ic = Icon()
    shoulders = ellipse(10, 20.5, 8.5, 8.8) & rect(0, 0, 19, 19)
    ic.draw(shoulders, "b2", "b0")
    ic.fill(rect(8, 12, 11, 12) | rect(9, 13, 10, 13), "s1")      # open collar
    head = circle(10, 6.5, 4.6)
    ic.draw(head, "s1", "s0")
    hair = head & (rect(0, 0, 19, 3) | rect(5, 4, 7, 4) | rect(12, 4, 14, 4)
                   | pixels((6, 5), (13, 5)))
    ic.fill(hair, "w0")
    return ic


def icon_chat():
    ic = Icon()
    bubble = round_rect(1, 2, 18, 13) | polygon([(4, 12), (4, 18.6), (10.5, 12)])
    ic.draw(bubble, "white", "b0")
    ic.fill(rect(2, 3, 17, 3), "b4")
    for x in (5, 9, 13):
        ic.fill(rect(x, 7, x + 1, 8), "b1")
    return ic


def icon_pencil():
    ic = Icon()
    # Lay the pencil along the diagonal from its point (bottom left) to the
    # eraser (top right); u runs along the pencil, v across it.
    tip_x, tip_y = 1.4, 18.6
    ux, uy = 1 / math.sqrt(2), -1 / math.sqrt(2)
    vx, vy = 1 / math.sqrt(2), 1 / math.sqrt(2)
    half = 2.9

    def band(t0, t1, w0, w1):
        def at(t, w):
            return (tip_x + ux * t + vx * w, tip_y + uy * t + vy * w)
        return polygon([at(t0, -w0), at(t1, -w1), at(t1, w1), at(t0, w0)])

    lead = band(0, 2.0, 0.01, half * 2.0 / 6.0 + 0.2)
    wood = band(0, 6.0, 0.01, half)
    body = band(6.0, 18.0, half, half)
    ferrule = band(18.0, 20.5, half, half)
    eraser = band(20.5, 23.6, half, half)
    whole = wood | body | ferrule | eraser
    ic.fill(wood, "w2")
    ic.fill(lead, "g1")
    ic.fill(body, "y2")
    ic.fill(band(6.0, 18.0, -0.2, 0.9) & body, "y3")
    ic.fill(band(6.0, 18.0, half, -1.3) & body - band(6.0, 18.0, -1.3, -half), "y1")
    ic.fill(ferrule, "m2")
    ic.fill(eraser, "k1")
    ic.edge(whole, "w0")
    ic.fill(rim(whole) & lead, "ink")
    return ic


def icon_trash():
    ic = Icon()
    ic.draw(rect(7, 1, 12, 3) - rect(8, 2, 11, 3), "m0")          # lid handle
    can = polygon([(3.5, 5.5), (16.5, 5.5), (15.5, 19), (4.5, 19)])
    ic.draw(can, "m2", "m0")
    for x in (7, 12):
        ic.fill(rect(x, 7, x, 17), "m1")
    ic.fill(rect(9, 7, 10, 17), "m1")
    ic.fill(rect(5, 7, 5, 17) & can, "m3")
    lid = round_rect(2, 3, 17, 6)
    ic.draw(lid, "m1", "m0")
    ic.fill(rect(3, 4, 16, 4), "m2")
    return ic


def icon_help():
    ic = Icon()
    ball = circle(10, 10, 9.5)
    ic.draw(ball, "b2", "b0")
    ic.fill(circle(8, 7, 5) - circle(10, 10, 6.5) - rim(ball), "b3")
    mark = bitmap(6, 4, ["  XXXX  ",
                         " XXXXXX ",
                         "XXX  XXX",
                         "XX    XX",
                         "     XXX",
                         "    XXX ",
                         "   XXX  ",
                         "   XX   ",
                         "        ",
                         "   XX   ",
                         "   XX   "])
    ic.fill(mark, "white")
    return ic


PICTURES = [
    (1, "globe", icon_globe),
    (2, "house", icon_house),
    (3, "folder", icon_folder),
    (4, "envelope", icon_envelope),
    (5, "gear", icon_gear),
    (6, "star", icon_star),
    (7, "music note", icon_note),
    (8, "calculator", icon_calculator),
    (9, "command prompt", icon_terminal),
    (10, "printer", icon_printer),
    (11, "magnifying glass", icon_magnifier),
    (12, "document", icon_document),
    (13, "floppy disk", icon_floppy),
    (14, "clock", icon_clock),
    (15, "calendar", icon_calendar),
    (16, "camera", icon_camera),
    (17, "heart", icon_heart),
    (18, "lightning bolt", icon_bolt),
    (19, "key", icon_key),
    (20, "padlock", icon_lock),
    (21, "person", icon_person),
    (22, "chat bubble", icon_chat),
    (23, "pencil", icon_pencil),
    (24, "trash can", icon_trash),
    (25, "question mark", icon_help),
]


# ---------------------------------------------------------------------------
# ICO writer
#
# Layout of each file (1566 bytes):
#   ICONDIR        6 bytes   reserved 0, type 1 (icon), count 1
#   ICONDIRENTRY  16 bytes   width 20, height 20, colour count 0, reserved 0,
#                            planes 1, bit count 8, bytes in image, offset 22
#   BITMAPINFOHEADER 40      width 20, height 40 (colour + mask), planes 1,
#                            8 bpp, BI_RGB, 256 colours
#   palette     1024 bytes   256 x (blue, green, red, 0)
#   colour bits  400 bytes   20 rows of 20 bytes, bottom row first
#   AND mask      80 bytes   20 rows of 4 bytes (20 bits + padding), bottom
#                            row first; 1 = transparent
# ---------------------------------------------------------------------------

def _row_bytes(bits_per_row):
    return ((bits_per_row + 31) // 32) * 4


def ico_bytes(icon, palette):
    w = h = SIZE
    xor_stride = _row_bytes(w * 8)
    and_stride = _row_bytes(w)
    xor = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = icon.px[y]
        line = bytes(row) + bytes(xor_stride - w)
        xor += line
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c == CLEAR:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    image_size = len(xor) + len(mask)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, image_size, 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    image = header + pal + bytes(xor) + bytes(mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, 1, 8, len(image), 6 + 16)
    return icondir + entry + image


# ---------------------------------------------------------------------------
# Contact sheet (PNG)
# ---------------------------------------------------------------------------

_DIGITS = {
    "0": ["XXX", "X X", "X X", "X X", "XXX"],
    "1": [" X ", "XX ", " X ", " X ", "XXX"],
    "2": ["XXX", "  X", "XXX", "X  ", "XXX"],
    "3": ["XXX", "  X", "XXX", "  X", "XXX"],
    "4": ["X X", "X X", "XXX", "  X", "  X"],
    "5": ["XXX", "X  ", "XXX", "  X", "XXX"],
    "6": ["XXX", "X  ", "XXX", "X X", "XXX"],
    "7": ["XXX", "  X", "  X", "  X", "  X"],
    "8": ["XXX", "X X", "XXX", "X X", "XXX"],
    "9": ["XXX", "X X", "XXX", "  X", "XXX"],
}


class Sheet:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.rows = [bytearray(bytes(bg) * w) for _ in range(h)]

    def box(self, x, y, w, h, rgb):
        for yy in range(max(0, y), min(self.h, y + h)):
            row = self.rows[yy]
            for xx in range(max(0, x), min(self.w, x + w)):
                row[3 * xx:3 * xx + 3] = bytes(rgb)

    def frame(self, x, y, w, h, rgb):
        self.box(x, y, w, 1, rgb)
        self.box(x, y + h - 1, w, 1, rgb)
        self.box(x, y, 1, h, rgb)
        self.box(x + w - 1, y, 1, h, rgb)

    def icon(self, x, y, icon, palette, scale):
        for iy in range(SIZE):
            for ix in range(SIZE):
                c = icon.px[iy][ix]
                if c != CLEAR:
                    self.box(x + ix * scale, y + iy * scale, scale, scale, palette[c])

    def text(self, x, y, s, rgb, scale):
        for ch in s:
            for dy, line in enumerate(_DIGITS[ch]):
                for dx, mark in enumerate(line):
                    if mark == "X":
                        self.box(x + dx * scale, y + dy * scale, scale, scale, rgb)
            x += 4 * scale

    def png(self):
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        raw = b"".join(b"\x00" + bytes(r) for r in self.rows)
        ihdr = struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def contact_sheet(icons, colour_pal, grey_pal):
    scale = 4
    big = SIZE * scale
    cols, rows = 5, 5
    pad = 12
    label_h = 5 * 3
    cell_w = pad + big + 6 + big + pad
    cell_h = pad + label_h + 6 + big + pad
    strip_h = 2 * (SIZE + 12) + 12
    width = cols * cell_w + 2 * pad
    height = rows * cell_h + 2 * pad + strip_h
    sheet = Sheet(width, height, (244, 244, 240))

    for i, icon in enumerate(icons):
        cx = pad + (i % cols) * cell_w
        cy = pad + (i // cols) * cell_h
        sheet.box(cx + 4, cy + 4, cell_w - 8, cell_h - 8, (252, 252, 250))
        sheet.frame(cx + 4, cy + 4, cell_w - 8, cell_h - 8, (214, 214, 208))
        sheet.text(cx + pad, cy + pad, str(i + 1), (70, 70, 70), 3)
        iy = cy + pad + label_h + 6
        sheet.icon(cx + pad, iy, icon, colour_pal, scale)
        sheet.icon(cx + pad + big + 6, iy, icon, grey_pal, scale)

    # Two toolbar-like strips at the real size, normal look above the hot
    # look, to judge how the set reads in a row.
    y = pad + rows * cell_h + 6
    bar = (236, 233, 216)
    for pal in (grey_pal, colour_pal):
        step = SIZE + 8
        bar_h = SIZE + 6
        sheet.box(pad + 4, y, width - 2 * pad - 8, bar_h, bar)
        sheet.box(pad + 4, y + bar_h - 1, width - 2 * pad - 8, 1, (200, 198, 184))
        for i, icon in enumerate(icons):
            sheet.icon(pad + 10 + i * step, y + 3, icon, pal, 1)
        y += bar_h + 6
    return sheet.png()


# ---------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    colour_pal = colour_palette()
    grey_pal = grey_palette()
    icons = []
    for number, _name, draw in PICTURES:
        icon = draw()
        icons.append(icon)
        with open(os.path.join(here, "%d.ico" % number), "wb") as f:
            f.write(ico_bytes(icon, colour_pal))
        with open(os.path.join(here, "%dgr.ico" % number), "wb") as f:
            f.write(ico_bytes(icon, grey_pal))
    assert len(icons) == COUNT

    docs = os.path.join(os.path.dirname(here), "docs")
    os.makedirs(docs, exist_ok=True)
    with open(os.path.join(docs, "library-icons.png"), "wb") as f:
        f.write(contact_sheet(icons, colour_pal, grey_pal))


if __name__ == "__main__":
    main()
