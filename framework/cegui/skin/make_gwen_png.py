#!/usr/bin/env python3
"""Draws the image atlas of the GUI skin "GWEN" (data/gui/imagesets/GWEN.png).

Everything is drawn from geometry here, white or grey on transparent, so the
look tints it per widget state. The rectangles must match GWEN.imageset.
Run from the repository root:  python3 framework/cegui/skin/make_gwen_png.py
Only the standard library is used (zlib for the PNG stream).
"""
import math
import struct
import sys
import zlib

SIZE = 64
SUPER = 4  # samples per pixel along each axis, for smooth edges
# Selection brush of lists: the interface's cyan, dark enough for light text.
SELECTION = (29, 135, 173, 255)

pixels = [[(0, 0, 0, 0) for _ in range(SIZE)] for _ in range(SIZE)]


def put(x, y, rgba):
    pixels[y][x] = rgba


def shade(x0, y0, w, h, inside):
    """Fills a rectangle; inside(px, py) gives (grey 0..1, coverage 0..1) at a
    point in the rectangle's own coordinates (pixel units)."""
    for y in range(h):
        for x in range(w):
            grey_sum = 0.0
            cover_sum = 0.0
            for sy in range(SUPER):
                for sx in range(SUPER):
                    px = x + (sx + 0.5) / SUPER
                    py = y + (sy + 0.5) / SUPER
                    grey, cover = inside(px, py)
                    grey_sum += grey * cover
                    cover_sum += cover
            n = SUPER * SUPER
            alpha = cover_sum / n
            grey = grey_sum / cover_sum if cover_sum > 0 else 1.0
            v = int(round(grey * 255))
            put(x0 + x, y0 + y, (v, v, v, int(round(alpha * 255))))


def rounded_box(w, h, radius, border, border_grey):
    def inside(px, py):
        # distance outside the rounded rectangle (negative inside)
        cx = min(max(px, radius), w - radius)
        cy = min(max(py, radius), h - radius)
        d = math.hypot(px - cx, py - cy) - radius
        if d > 0:
            return 1.0, 0.0
        return (border_grey if d > -border else 1.0), 1.0
    return inside


def rounded_ring(w, h, radius, border):
    def inside(px, py):
        cx = min(max(px, radius), w - radius)
        cy = min(max(py, radius), h - radius)
        d = math.hypot(px - cx, py - cy) - radius
        return 1.0, (1.0 if -border < d <= 0 else 0.0)
    return inside


def disc(cx, cy, r_outer, r_inner=None, grey=1.0):
    def inside(px, py):
        d = math.hypot(px - cx, py - cy)
        if d > r_outer:
            return grey, 0.0
        if r_inner is not None and d < r_inner:
            return grey, 0.0
        return grey, 1.0
    return inside


def polygon(points, grey=1.0):
    def inside(px, py):
        hit = False
        n = len(points)
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if (y1 > py) != (y2 > py):
                if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    hit = not hit
        return grey, (1.0 if hit else 0.0)
    return inside


def thick_polyline(points, width, grey=1.0):
    def seg_dist(px, py, a, b):
        ax, ay = a
        bx, by = b
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - ax - t * dx, py - ay - t * dy)

    def inside(px, py):
        d = min(seg_dist(px, py, points[i], points[i + 1]) for i in range(len(points) - 1))
        return grey, (1.0 if d <= width / 2 else 0.0)
    return inside


def solid(grey=1.0):
    return lambda px, py: (grey, 1.0)


def outlined(shape_outer, shape_inner):
    """Black outline (outer shape) under a white body (inner shape)."""
    def inside(px, py):
        g, c = shape_inner(px, py)
        if c > 0:
            return 1.0, 1.0
        g, c = shape_outer(px, py)
        return 0.0, c
    return inside


# Row 0: the nine-slice box, solid white, the selection brush, and the
# nine-slice ring (the box's outline alone, drawn over a box for focus).
shade(0, 0, 12, 12, rounded_box(12, 12, 3.0, 1.0, 0.4))
shade(16, 0, 4, 4, solid())
for y in range(8):
    for x in range(8):
        put(24 + x, y, SELECTION)
shade(40, 0, 12, 12, rounded_ring(12, 12, 3.0, 1.0))

# Row 1: check mark, radio ring, radio dot; the mouse arrow on the right.
shade(0, 16, 12, 12, thick_polyline([(2.0, 6.5), (5.0, 9.5), (10.0, 2.5)], 2.2))
shade(16, 16, 12, 12, disc(6, 6, 6.0))
shade(16, 16, 12, 12, lambda px, py: (0.4 if math.hypot(px - 6, py - 6) > 5.0 else 1.0,
                                      1.0 if math.hypot(px - 6, py - 6) <= 6.0 else 0.0))
shade(32, 16, 12, 12, disc(6, 6, 3.0))
arrow_outer = polygon([(0, 0), (0, 17.5), (4.2, 13.6), (7.0, 19.8), (9.6, 18.6), (6.9, 12.6), (12.0, 12.4)])
arrow_inner = polygon([(1.2, 2.8), (1.2, 14.8), (4.5, 11.7), (7.5, 18.2), (8.3, 17.8), (5.3, 11.3), (9.2, 11.2)])
shade(48, 16, 12, 20, outlined(arrow_outer, arrow_inner))

# Row 2: arrows up, down, left, right, and the close cross.
shade(0, 32, 8, 8, polygon([(4, 1.5), (7.5, 6), (0.5, 6)]))
shade(8, 32, 8, 8, polygon([(0.5, 2), (7.5, 2), (4, 6.5)]))
shade(16, 32, 8, 8, polygon([(1.5, 4), (6, 0.5), (6, 7.5)]))
shade(24, 32, 8, 8, polygon([(2, 0.5), (6.5, 4), (2, 7.5)]))
cross_a = thick_polyline([(1.5, 1.5), (6.5, 6.5)], 1.6)
cross_b = thick_polyline([(6.5, 1.5), (1.5, 6.5)], 1.6)
shade(32, 32, 8, 8, lambda px, py: (1.0, max(cross_a(px, py)[1], cross_b(px, py)[1])))

# Row 3: text cursor (I-beam) with a dark outline.
ibeam_inner = lambda px, py: (1.0, 1.0 if (2.5 <= px <= 4.5 and 1 <= py <= 15) or
                              ((0.5 <= px <= 6.5) and (1 <= py <= 2.5 or 13.5 <= py <= 15)) else 0.0)
ibeam_outer = lambda px, py: (0.0, 1.0 if (1.5 <= px <= 5.5 and 0 <= py <= 16) or
                              ((0 <= px <= 7) and (0 <= py <= 3.5 or 12.5 <= py <= 16)) else 0.0)
shade(0, 44, 7, 16, outlined(ibeam_outer, ibeam_inner))


def write_png(path):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    write_png(sys.argv[1] if len(sys.argv) > 1 else "data/gui/imagesets/GWEN.png")
