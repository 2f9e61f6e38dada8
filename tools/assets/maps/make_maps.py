#!/usr/bin/python3
"""Generates the shipped maps in data/map in the game's ".map.json" format.

Each map is drawn as a solid/empty field sampled 8 x 8 times per cell (hills,
walls, caves and ledges as simple shapes). Every cell then takes the tile code
(0, 1 or a partial tile 2..33) whose ground matches its samples best, while
neighbouring cells are made to agree along their shared sides, so slopes run
on as slopes instead of stair steps. Fixed seeds: a rerun writes the same files.

Usage: make_maps.py [output folder]   (default: data/map of the repository)
"""

import math
import os
import random
import sys

import numpy as np

S = 8  # samples per cell side
SIDE_WEIGHT = 12  # cost of one disagreeing half-edge, in mismatched samples

# --- tile geometry (cell-local: centre at the origin, y up) -----------------

BASE_POLYGONS = [
    [(-0.5, 0), (0.5, 0.5), (0.5, -0.5), (-0.5, -0.5)],  # upper slope
    [(-0.5, 0), (0.5, 0.5), (0.5, -0.5), (-0.5, -0.5)],  # its mirror
    [(-0.5, -0.5), (0.5, 0), (0.5, -0.5)],  # lower slope
    [(-0.5, -0.5), (0.5, 0), (0.5, -0.5)],  # its mirror
    [(-0.5, 0), (0, 0.5), (0.5, 0.5), (0.5, -0.5), (-0.5, -0.5)],  # cut corner
    [(-0.5, 0), (0, -0.5), (-0.5, -0.5)],  # corner
    [(-0.5, 0), (0.5, 0), (0.5, -0.5), (-0.5, -0.5)],  # half
    [(-0.5, 0.5), (0.5, -0.5), (-0.5, -0.5)],  # diagonal
]
BASE_MASKS = [124, 124, 56, 56, 126, 96, 120, 240]
MIRRORED_BIT = [1, 0, 7, 6, 5, 4, 3, 2]
FACING_BIT = [5, 4, 7, 6, 1, 0, 3, 2]


def polygon(code):
    if code == 0:
        return []
    if code == 1:
        return [(-0.5, -0.5), (0.5, -0.5), (0.5, 0.5), (-0.5, 0.5)]
    group, turns = (code - 2) // 4, (code - 2) % 4
    points = BASE_POLYGONS[group]
    if group in (1, 3):
        points = [(-x, y) for x, y in points]
    for _ in range(turns):
        points = [(y, -x) for x, y in points]
    return points


def side_mask(code):
    if code == 1:
        return 255
    if not 2 <= code <= 33:
        return 0
    group, turns = (code - 2) // 4, (code - 2) % 4
    mask = BASE_MASKS[group]
    if group in (1, 3):
        mask = sum(1 << i for i in range(8) if mask & (1 << MIRRORED_BIT[i]))
    for _ in range(turns):
        mask = ((mask << 2) | (mask >> 6)) & 255
    return mask


def inside(points, x, y):
    signs = set()
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        cross = (bx - ax) * (y - ay) - (by - ay) * (x - ax)
        if cross:
            signs.add(cross > 0)
    return len(points) >= 3 and len(signs) < 2


def code_samples():
    """codes x (S*S) booleans: which samples of a cell each code covers (row-major, y down)."""
    table = np.zeros((34, S * S), dtype=bool)
    for code in range(34):
        points = polygon(code)
        for j in range(S):
            for i in range(S):
                table[code, j * S + i] = inside(points, (i + 0.5) / S - 0.5, 0.5 - (j + 0.5) / S)
    return table


CODE_SAMPLES = code_samples()
SIDE_BITS = [[(side_mask(c) >> b) & 1 for b in range(8)] for c in range(34)]

# --- the solid field ------------------------------------------------------------


class Field:
    """Solid samples of a width x height cell map; coordinates in cells, y down."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.solid = np.zeros((height * S, width * S), dtype=bool)
        ys, xs = np.mgrid[0:height * S, 0:width * S]
        self.xs = (xs + 0.5) / S
        self.ys = (ys + 0.5) / S

    def below(self, surface):
        """Ground below a surface row given per sample column."""
        rows = np.array([surface(x) for x in self.xs[0]])
        self.solid |= self.ys > rows[None, :]

    def ellipse(self, cx, cy, rx, ry, solid):
        inside = ((self.xs - cx) / rx) ** 2 + ((self.ys - cy) / ry) ** 2 <= 1.0
        self.solid[inside] = solid

    def box(self, x0, y0, x1, y1, solid):
        self.solid[(self.xs >= x0) & (self.xs < x1) & (self.ys >= y0) & (self.ys < y1)] = solid

    def tunnel(self, points, radius, solid=False):
        """A chain of segments of the given radius (a capsule per segment)."""
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy or 1e-9
            t = np.clip(((self.xs - ax) * dx + (self.ys - ay) * dy) / length2, 0.0, 1.0)
            d2 = (self.xs - ax - t * dx) ** 2 + (self.ys - ay - t * dy) ** 2
            self.solid[d2 <= radius * radius] = solid

    def worm(self, rng, x, y, angle, steps, radius):
        """A wandering cave: returns its end."""
        points = [(x, y)]
        for _ in range(steps):
            angle += rng.uniform(-0.5, 0.5)
            x = min(max(x + 2.0 * math.cos(angle), 4), self.width - 4)
            y = min(max(y + 2.0 * math.sin(angle), 4), self.height - 4)
            points.append((x, y))
        self.tunnel(points, radius)
        return x, y


def smooth_curve(points, rng, wobble, period=7.0):
    """A surface row as a function of x: cosine steps between control points plus gentle noise."""
    knots = [rng.uniform(-wobble, wobble) for _ in range(64)]

    def noise(x):
        i = int(x // period)
        f = (x / period) - i
        f = (1 - math.cos(f * math.pi)) / 2
        return knots[i % 64] * (1 - f) + knots[(i + 1) % 64] * f

    def surface(x):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            if x0 <= x <= x1:
                f = (1 - math.cos((x - x0) / (x1 - x0) * math.pi)) / 2
                return y0 + (y1 - y0) * f + noise(x)
        return points[-1][1] + noise(x)

    return surface


# --- from samples to tile codes -------------------------------------------------


def fit_tiles(field):
    """The tile code of every cell, [x][y]."""
    w, h = field.width, field.height
    blocks = field.solid.reshape(h, S, w, S).transpose(2, 0, 1, 3).reshape(w, h, S * S)
    mismatch = (blocks[:, :, None, :] != CODE_SAMPLES[None, None, :, :]).sum(axis=3)
    codes = mismatch.argmin(axis=2)
    counts = blocks.sum(axis=2)
    mixed = [(x, y) for x in range(w) for y in range(h) if 0 < counts[x, y] < S * S]
    offsets = [(0, -1), (1, 0), (0, 1), (-1, 0)]  # top, right, bottom, left
    for _ in range(4):
        changed = 0
        for x, y in mixed:
            neighbours = []
            for side, (dx, dy) in enumerate(offsets):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h:
                    neighbours.append((side, SIDE_BITS[codes[nx, ny]]))
            best, best_cost = codes[x, y], None
            for code in range(34):
                bits = SIDE_BITS[code]
                cost = mismatch[x, y, code]
                for side, nbits in neighbours:
                    for bit in (2 * side, 2 * side + 1):
                        cost += SIDE_WEIGHT * (bits[bit] != nbits[FACING_BIT[bit]])
                if best_cost is None or cost < best_cost:
                    best, best_cost = code, cost
            if best != codes[x, y]:
                codes[x, y] = best
                changed += 1
        if not changed:
            break
    return [[int(codes[x, y]) for y in range(h)] for x in range(w)]


def components(tiles, member):
    """4-connected groups of cells for which member(code) holds."""
    w, h = len(tiles), len(tiles[0])
    seen = [[False] * h for _ in range(w)]
    groups = []
    for sx in range(w):
        for sy in range(h):
            if seen[sx][sy] or not member(tiles[sx][sy]):
                continue
            group, stack = [], [(sx, sy)]
            seen[sx][sy] = True
            while stack:
                x, y = stack.pop()
                group.append((x, y))
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if 0 <= nx < w and 0 <= ny < h and not seen[nx][ny] and member(tiles[nx][ny]):
                        seen[nx][ny] = True
                        stack.append((nx, ny))
            groups.append(group)
    return groups


def tidy(tiles, smallest=8):
    """Drops floating specks of ground and fills tiny closed air bubbles."""
    for group in components(tiles, lambda c: c != 0):
        if len(group) < smallest:
            for x, y in group:
                tiles[x][y] = 0
    for group in components(tiles, lambda c: c != 1):
        touches_edge = any(x in (0, len(tiles) - 1) or y == 0 for x, y in group)
        if len(group) < smallest and not touches_edge:
            for x, y in group:
                tiles[x][y] = 1


# --- checks and output -------------------------------------------------------


def reachable(tiles, start, clearance):
    """Cells a ship of the given radius (in cells) can fly to from start without drilling."""
    w, h = len(tiles), len(tiles[0])
    r = int(math.ceil(clearance))
    free = [[all(not (1 <= tiles[x + dx][y + dy] <= 33)
                 for dx in range(-r, r + 1) for dy in range(-r, r + 1)
                 if 0 <= x + dx < w and 0 <= y + dy < h and dx * dx + dy * dy <= clearance * clearance)
             for y in range(h)] for x in range(w)]
    seen = {start}
    stack = [start]
    while stack:
        x, y = stack.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < w and 0 <= ny < h and (nx, ny) not in seen and free[nx][ny]:
                seen.add((nx, ny))
                stack.append((nx, ny))
    return seen


def place(tiles, code, x, y):
    assert tiles[x][y] == 0, f"marker {code} at ({x}, {y}) lands on ground {tiles[x][y]}"
    tiles[x][y] = code


def write_map(path, tiles, tile_size=1.0, tiles_per_texture=8):
    """The text the game's own writer produces: members in key order, one tab, arrays on one line."""
    w, h = len(tiles), len(tiles[0])
    flat = ", ".join(str(code) for column in tiles for code in column)
    size_text = f"{tile_size:g}"
    text = ("{\n"
            "\t\"Size\" : {\n"
            f"\t\"X\" : {w},\n"
            f"\t\"Y\" : {h}\n"
            "},\n"
            f"\t\"TileSize\" : {size_text},\n"
            f"\t\"Tiles\" : [{flat}],\n"
            f"\t\"TilesPerTexture\" : {tiles_per_texture}\n"
            "}")
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


# --- the maps ------------------------------------------------------------------


def side_walls(field):
    """Straight rock walls up the map's sides, so nothing flies off beside the map."""
    field.box(0, 0, 3, field.height, True)
    field.box(field.width - 3, 0, field.width, field.height, True)


def canyon_run():
    """Time trial: start on a plateau in the west, the landing platform in a cavern in the east."""
    rng = random.Random(1301)
    w, h = 128, 96
    field = Field(w, h)
    field.below(smooth_curve([(0, 40), (22, 40), (32, 46), (44, 52), (54, 53), (62, 47), (70, 34),
                              (78, 32), (86, 40), (96, 46), (106, 43), (116, 38), (128, 36)], rng, 1.2))
    side_walls(field)
    # A ledge reaching west from the eastern hill over the valley.
    field.ellipse(61, 36, 10, 2.6, True)
    field.ellipse(54, 36.8, 3, 1.6, True)
    # Background pockets in the deep rock, sealed: drilling finds them.
    for _ in range(6):
        field.worm(rng, rng.uniform(12, 80), rng.uniform(60, 88), rng.uniform(0, 2 * math.pi), 6,
                   rng.uniform(1.6, 2.4))
    # The western cave: down from the valley floor into a chamber, on to a deeper one.
    field.tunnel([(41, 46), (45, 56), (52, 66), (62, 71)], 4.6)
    field.ellipse(68, 72, 8, 5.5, False)
    field.tunnel([(52, 66), (40, 73), (30, 79)], 4.2)
    field.ellipse(26, 80, 7, 5, False)
    # The eastern cavern with a flat floor for the platform, entered down a slope.
    field.tunnel([(92, 44), (95, 54), (99, 63)], 5.2)
    field.ellipse(106, 69, 15, 9, False)
    field.box(93, 76, 121, 96, True)
    # A sealed chamber west of the cavern behind a thin wall.
    field.ellipse(84, 74, 4.2, 3.6, False)

    tiles = fit_tiles(field)
    tidy(tiles)
    place(tiles, 34, 11, 35)  # start, above the plateau
    place(tiles, 35, 108, 75)  # platform, on the cavern floor
    for code, x, y in [(36, 47, 22), (36, 90, 20), (36, 24, 26), (37, 57, 42), (38, 68, 72),
                       (39, 25, 80), (40, 84, 74)]:
        place(tiles, code, x, y)
    return tiles


def open_caverns():
    """Free flight: wide hills, floating rocks in the sky and large caves below."""
    rng = random.Random(2207)
    w, h = 192, 128
    field = Field(w, h)
    field.below(smooth_curve([(0, 46), (20, 46), (34, 56), (50, 60), (64, 42), (76, 38), (92, 58),
                              (110, 66), (126, 50), (140, 44), (160, 60), (176, 54), (192, 54)], rng, 1.6))
    side_walls(field)
    for cx, cy, rx, ry in [(52, 20, 9, 3.5), (102, 26, 12, 4), (150, 18, 8, 3), (170, 34, 5, 2.5)]:
        field.ellipse(cx, cy, rx, ry, True)
        field.ellipse(cx + rx * 0.3, cy + ry * 0.8, rx * 0.5, ry * 0.9, True)
    # Ledges off the hills.
    field.ellipse(84, 40, 9, 2.4, True)
    field.ellipse(133, 50, 7, 2.2, True)
    # Cave network: entrances from the valleys, chambers below.
    field.tunnel([(44, 56), (50, 70), (62, 82), (80, 88)], 5.0)
    field.ellipse(88, 92, 13, 8, False)
    field.tunnel([(100, 64), (104, 76), (96, 88)], 4.6)
    field.tunnel([(96, 96), (112, 104), (132, 104)], 4.8)
    field.ellipse(142, 100, 12, 9, False)
    field.tunnel([(160, 58), (156, 74), (146, 92)], 4.6)
    field.tunnel([(82, 94), (60, 104), (40, 106)], 4.4)
    field.ellipse(32, 104, 10, 7, False)
    for _ in range(10):
        field.worm(rng, rng.uniform(12, 180), rng.uniform(74, 120), rng.uniform(0, 2 * math.pi), 7,
                   rng.uniform(1.6, 2.6))

    tiles = fit_tiles(field)
    tidy(tiles)
    place(tiles, 34, 12, 40)
    return tiles


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "map")
    os.makedirs(folder, exist_ok=True)
    for name, make, start, goals in [
        ("canyon_run.map.json", canyon_run, (11, 35), [(108, 72), (47, 22), (90, 20), (24, 26), (57, 42),
                                                       (68, 72), (25, 80)]),
        ("open_caverns.map.json", open_caverns, (12, 40), [(88, 92), (142, 100), (32, 104), (102, 14)]),
    ]:
        tiles = make()
        seen = reachable(tiles, start, 2.5)
        missing = [g for g in goals if g not in seen]
        if missing:
            sys.exit(f"{name}: cannot fly to {missing}")
        write_map(os.path.join(folder, name), tiles)
        print(f"{name}: {len(tiles)} x {len(tiles[0])}")


if __name__ == "__main__":
    main()
