#!/usr/bin/env python3
"""Draws the setup's and the uninstaller's pictures and writes them to resources/art/.

Standard library only. Shapes are sampled 4 x 4 times per pixel for smooth edges.
The outputs are committed; run this again only when the artwork changes.
"""
import math
import os
import struct
import sys

SUPERSAMPLE = 4

# The glyph backgrounds and the brand image's corners carry the button-face colour:
# the bottom-left pixel names the transparent colour, and drawn as they are the pictures
# still sit well on a light face.
FACE = (240, 240, 240)


class Canvas:
    """RGBA picture with float channels in 0..1, composited source-over."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        """background is (r, g, b, a) in 0..255, like the colours given to paint."""
        self.width = width
        self.height = height
        self.pixels = [[c / 255.0 for c in background] for _ in range(width * height)]

    def paint(self, coverage, colour):
        """colour is (r, g, b, a) in 0..255, or a function (x, y) -> that tuple."""
        for y in range(self.height):
            for x in range(self.width):
                amount = coverage_at(coverage, x, y)
                if amount > 0:
                    rgba = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self._blend(x, y, rgba, amount)

    def _blend(self, x, y, rgba, amount):
        dst = self.pixels[y * self.width + x]
        src_a = rgba[3] / 255.0 * amount
        out_a = src_a + dst[3] * (1 - src_a)
        for c in range(3):
            src_c = rgba[c] / 255.0
            mixed = src_c * src_a + dst[c] * dst[3] * (1 - src_a)
            dst[c] = mixed / out_a if out_a > 0 else 0.0
        dst[3] = out_a

    def rgba_bytes(self, x, y):
        return tuple(to_byte(v) for v in self.pixels[y * self.width + x])

    def flattened(self, x, y, under):
        """The pixel laid over an opaque colour, as 8-bit RGB."""
        r, g, b, a = self.pixels[y * self.width + x]
        return tuple(to_byte(v * a + u / 255.0 * (1 - a)) for v, u in zip((r, g, b), under))


def to_byte(channel):
    return max(0, min(255, int(round(channel * 255))))


def coverage_at(inside, x, y):
    hits = 0
    step = 1.0 / SUPERSAMPLE
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                hits += 1
    return hits / float(SUPERSAMPLE * SUPERSAMPLE)


# ---- shapes: functions (x, y) -> bool in pixel coordinates ----

def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def stroke(points, width):
    """A polyline with round joins and caps."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))

    def inside(x, y):
        return any(segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half for a, b in segments)
    return inside


def polygon(points, grow=0.0):
    """A filled polygon, optionally grown outwards by `grow` pixels."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        crossings = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings = not crossings
        if crossings:
            return True
        return grow > 0 and any(segment_distance(x, y, ax, ay, bx, by) <= grow for (ax, ay), (bx, by) in edges)
    return inside


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return math.hypot(x - cx, y - cy) <= radius
    return inside


def circle(cx, cy, radius):
    return lambda x, y: math.hypot(x - cx, y - cy) <= radius


def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def scaled(shape, factor):
    return lambda x, y: shape(x / factor, y / factor)


def vertical_gradient(top_colour, bottom_colour, top, bottom):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - top) / float(bottom - top)))
        return tuple(int(round(a + (b - a) * t)) for a, b in zip(top_colour, bottom_colour)) + (255,)
    return colour


# ---- the pictures ----

BLUE_TOP = (36, 84, 170)
BLUE_BOTTOM = (24, 150, 168)
WHITE = (255, 255, 255, 255)
SHADOW = (10, 30, 60, 110)


def letter_m(left, top, right, bottom, width):
    return stroke([(left, bottom), (left, top), ((left + right) / 2.0, (top + bottom) / 2.0 + 2),
                   (right, top), (right, bottom)], width)


def brand_image():
    canvas = Canvas(64, 60, FACE + (255,))
    tile = rounded_rect(1, 1, 63, 59, 9)
    canvas.paint(tile, vertical_gradient(BLUE_TOP, BLUE_BOTTOM, 1, 59))
    canvas.paint(rounded_rect(4, 4, 60, 26, 7), (255, 255, 255, 36))
    m = letter_m(16, 16, 48, 45, 8)
    canvas.paint(shifted(m, 1.5, 2), SHADOW)
    canvas.paint(m, WHITE)
    return canvas


CROSS_POINTS = [((4, 4), (14, 14)), ((14, 4), (4, 14))]


def cross_shape(width):
    strokes = [stroke([a, b], width) for a, b in CROSS_POINTS]
    return lambda x, y: any(s(x, y) for s in strokes)


def cancel_glyph():
    """Two 18 x 18 images side by side: the normal red cross, then its greyed copy."""
    canvas = Canvas(36, 18, FACE + (255,))
    canvas.paint(cross_shape(5.2), (140, 16, 16, 255))
    canvas.paint(cross_shape(3.2), (226, 44, 38, 255))
    disabled = shifted(cross_shape(4.2), 18, 0)
    canvas.paint(shifted(disabled, 1, 1), (255, 255, 255, 255))
    canvas.paint(disabled, (128, 128, 128, 255))
    return canvas


ARROW = [(2, 6), (8, 6), (8, 2.5), (14, 8), (8, 13.5), (8, 10), (2, 10)]


def next_glyph():
    canvas = Canvas(16, 16, FACE + (255,))
    canvas.paint(polygon(ARROW, grow=1.0), (22, 110, 34, 255))
    canvas.paint(polygon(ARROW), vertical_gradient((120, 214, 96), (38, 160, 52), 2, 14))
    return canvas


def setup_icon(size):
    """The brand tile with a green downward arrow: installing."""
    canvas = Canvas(size, size)
    f = size / 32.0
    canvas.paint(scaled(rounded_rect(1, 1, 31, 31, 6), f), vertical_gradient(BLUE_TOP, BLUE_BOTTOM, f, 31 * f))
    m = letter_m(8, 8, 24, 21, 4.2 if size >= 32 else 5)
    canvas.paint(scaled(m, f), WHITE)
    arrow = [(19, 19), (23, 19), (23, 23), (27, 23), (21, 30), (15, 23), (19, 23)]
    canvas.paint(scaled(polygon(arrow, grow=1.2), f), (255, 255, 255, 255))
    canvas.paint(scaled(polygon(arrow), f), (40, 170, 60, 255))
    return canvas


def uninstall_icon(size):
    """A closed box with a red minus badge: removing."""
    canvas = Canvas(size, size)
    f = size / 32.0
    body = rounded_rect(3, 11, 27, 29, 2)
    lid = rounded_rect(1.5, 6, 28.5, 12.5, 2)
    canvas.paint(scaled(polygon([(2, 10), (28, 10), (28, 30), (2, 30)], grow=0.8), f), (90, 60, 30, 255))
    canvas.paint(scaled(body, f), vertical_gradient((214, 168, 104), (180, 128, 66), 11 * f, 29 * f))
    canvas.paint(scaled(lid, f), (234, 192, 128, 255))
    canvas.paint(scaled(rounded_rect(11, 15, 19, 18, 1.5), f), (110, 72, 36, 255))
    badge = circle(23, 23, 8)
    canvas.paint(scaled(circle(23, 23, 9), f), (255, 255, 255, 255))
    canvas.paint(scaled(badge, f), vertical_gradient((236, 70, 60), (176, 22, 22), 15 * f, 31 * f))
    canvas.paint(scaled(rounded_rect(18, 21.5, 28, 24.5, 1.2), f), WHITE)
    return canvas


# ---- file formats ----

def dib_rows_24(canvas):
    """Bottom-up BGR rows, each padded to 4 bytes."""
    pad = (4 - canvas.width * 3 % 4) % 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.flattened(x, y, FACE)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * pad)
    return b"".join(rows)


def bmp_24(canvas):
    pixels = dib_rows_24(canvas)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def icon_image(canvas):
    """One icon directory image: 32-bit BGRA colour bitmap, then the 1-bit AND mask."""
    colour = bytearray()
    mask = bytearray()
    mask_row_bytes = (canvas.width + 31) // 32 * 4
    for y in reversed(range(canvas.height)):
        bits = bytearray(mask_row_bytes)
        for x in range(canvas.width):
            r, g, b, a = canvas.rgba_bytes(x, y)
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico(canvases):
    images = [icon_image(c) for c in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for canvas, image in zip(canvases, images):
        entries += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def outputs():
    return {
        "brand.bmp": bmp_24(brand_image()),
        "cancel_glyph.bmp": bmp_24(cancel_glyph()),
        "next_glyph.bmp": bmp_24(next_glyph()),
        "setup.ico": ico([setup_icon(16), setup_icon(32)]),
        "uninstall.ico": ico([uninstall_icon(16), uninstall_icon(32)]),
    }


def main():
    art = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "resources", "art")
    os.makedirs(art, exist_ok=True)
    for name, data in outputs().items():
        with open(os.path.join(art, name), "wb") as out:
            out.write(data)
        print("wrote", os.path.normpath(os.path.join(art, name)), len(data), "bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
