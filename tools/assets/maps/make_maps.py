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

    def above(self, surface):
        """Ground above a surface row given per sample column."""
        rows = np.array([surface(x) for x in self.xs[0]])
        self.solid |= self.ys < rows[None, :]

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

# The widest sample ship with its parts (the Mole, side jet to side jet) is
# 11.5 units across. A time trial's way, from the start past every checkpoint
# to a platform, is twice that wide: a disc of that radius fits all along it.
WIDEST_SHIP = 11.5


def flight_room(tiles, radius):
    """Cells whose disc of the given radius (in cells) holds no ground; off the map counts as ground."""
    w, h = len(tiles), len(tiles[0])
    ground = np.array([[1 <= code <= 33 for code in column] for column in tiles])
    r = int(math.ceil(radius))
    padded = np.ones((w + 2 * r, h + 2 * r), dtype=bool)
    padded[r:r + w, r:r + h] = ground
    blocked = np.zeros((w, h), dtype=bool)
    for dx in range(-r, r + 1):
        for dy in range(-r, r + 1):
            if dx * dx + dy * dy <= radius * radius:
                blocked |= padded[r + dx:r + dx + w, r + dy:r + dy + h]
    return ~blocked


def room_above(tiles, room, x, y):
    """The first cell with room straight above (x, y), through air only; None when ground comes first."""
    while y >= 0 and not 1 <= tiles[x][y] <= 33:
        if room[x, y]:
            return x, y
        y -= 1
    return None


def reachable(room, start):
    """Cells with room that a ship reaches from start without drilling."""
    w, h = room.shape
    seen = {start}
    stack = [start]
    while stack:
        x, y = stack.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < w and 0 <= ny < h and (nx, ny) not in seen and room[nx, ny]:
                seen.add((nx, ny))
                stack.append((nx, ny))
    return seen


def check_flight(name, tiles, radius):
    """Exits unless every checkpoint and a platform (on a map without
    platforms: the caves of the bottom third) are reachable from the start
    with that room."""
    w, h = len(tiles), len(tiles[0])
    room = flight_room(tiles, radius)
    marked = lambda code: [(x, y) for x in range(w) for y in range(h) if tiles[x][y] == code]
    start = room_above(tiles, room, *marked(34)[0])
    seen = reachable(room, start) if start else set()
    missing = [c for code in range(36, 41) for c in marked(code) if c not in seen]
    platforms = [room_above(tiles, room, *p) for p in marked(35)]
    if platforms and not any(p in seen for p in platforms):
        missing.append("platform")
    if not platforms and not any(y >= 2 * h // 3 for _, y in seen):
        missing.append("the caves")
    if missing:
        sys.exit(f"{name}: with room {radius} cannot fly from the start to {missing}")


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


def frame(field, rng, wall=4, roof=5):
    """Rock on all four sides, the roof hanging down in a ragged line: nothing flies off the map."""
    field.box(0, 0, wall, field.height, True)
    field.box(field.width - wall, 0, field.width, field.height, True)
    field.box(0, field.height - wall, field.width, field.height, True)
    field.above(smooth_curve([(0, roof), (field.width, roof)], rng, 2.0, period=9.0))


def start_pad(field, x0, x1, floor, headroom=16):
    """Flat ground at row `floor` from x0 to x1 with air above: every ship starts resting level."""
    field.box(x0, floor - headroom, x1, floor, False)
    field.box(x0, floor, x1, floor + 3, True)


def start_row(floor):
    """The start marker's row over a flat floor. A ship starts centred on the
    marker's cell and reaches at most 2.9 below its centre: three free rows
    under the marker keep every sample ship clear of the ground."""
    return floor - 4


def canyon_run():
    """Time trial: start on a plateau in the west, down the canyon into the
    caves or over the eastern hill, the landing platform in a cavern in the east."""
    rng = random.Random(1301)
    w, h = 192, 144
    field = Field(w, h)
    field.below(smooth_curve([(0, 52), (40, 52), (50, 62), (56, 90), (84, 92), (90, 70), (100, 58),
                              (114, 44), (128, 50), (142, 62), (192, 60)], rng, 1.2))
    frame(field, rng)
    start_pad(field, 8, 36, 52)
    # Rocks hanging from the roof over the hills.
    field.ellipse(104, 6, 7, 10, True)
    field.ellipse(176, 6, 6, 8, True)
    # A ledge reaching west from the hill's top over the canyon, a hollow under it.
    field.ellipse(98, 47, 15, 3, True)
    field.ellipse(94, 66, 15, 13, False)
    # Background pockets in the deep rock, sealed: drilling finds them.
    for _ in range(6):
        field.worm(rng, rng.uniform(12, 180), rng.uniform(70, 136), rng.uniform(0, 2 * math.pi), 6,
                   rng.uniform(1.6, 2.4))
    # The western caves: from the canyon floor down west into a chamber, then
    # east under the canyon to a deeper one and on to the farthest.
    field.tunnel([(66, 90), (50, 100), (36, 106)], 13)
    field.ellipse(30, 110, 18, 15, False)
    field.tunnel([(36, 116), (62, 124), (84, 122)], 13)
    field.ellipse(86, 120, 16, 14, False)
    field.tunnel([(86, 120), (112, 108)], 13)
    # The farthest chamber: a thin wall from the platform's cavern, which a drill cuts short.
    field.ellipse(114, 106, 13, 13, False)
    # The eastern cavern with a flat floor for the platform, entered down a shaft.
    field.tunnel([(150, 56), (154, 84), (158, 100)], 13.5)
    field.ellipse(160, 110, 28, 18, False)
    field.box(132, 126, 192, 144, True)

    tiles = fit_tiles(field)
    tidy(tiles)
    place(tiles, 34, 22, start_row(52))
    place(tiles, 35, 160, 125)  # platform, on the cavern floor
    for code, x, y in [(36, 24, 24), (36, 70, 36), (36, 150, 26), (37, 92, 66), (38, 30, 110),
                       (39, 86, 120), (40, 114, 106)]:
        place(tiles, code, x, y)
    return tiles


def open_caverns():
    """Free flight: wide hills, floating rocks in the sky and large caves below."""
    rng = random.Random(2207)
    w, h = 192, 128
    field = Field(w, h)
    field.below(smooth_curve([(0, 46), (20, 46), (34, 56), (50, 60), (64, 42), (76, 38), (92, 58),
                              (110, 66), (126, 50), (140, 44), (160, 60), (176, 54), (192, 54)], rng, 1.6))
    frame(field, rng)
    start_pad(field, 6, 30, 46)
    for cx, cy, rx, ry in [(52, 22, 9, 3.5), (102, 26, 12, 4), (150, 20, 8, 3), (172, 36, 5, 2.5)]:
        field.ellipse(cx, cy, rx, ry, True)
        field.ellipse(cx + rx * 0.3, cy + ry * 0.8, rx * 0.5, ry * 0.9, True)
    # Ledges off the hills.
    field.ellipse(84, 40, 9, 2.4, True)
    field.ellipse(133, 50, 7, 2.2, True)
    # Cave network: entrances from the valleys, chambers below, wide enough
    # for every sample ship.
    field.tunnel([(44, 56), (50, 70), (62, 82), (80, 88)], 7.0)
    field.ellipse(88, 92, 15, 10, False)
    field.tunnel([(100, 64), (104, 76), (96, 88)], 7.0)
    field.tunnel([(96, 96), (112, 104), (132, 104)], 7.0)
    field.ellipse(142, 100, 14, 11, False)
    field.tunnel([(160, 58), (156, 74), (146, 92)], 7.0)
    field.tunnel([(82, 94), (60, 104), (40, 106)], 7.0)
    field.ellipse(32, 104, 12, 9, False)
    for _ in range(10):
        field.worm(rng, rng.uniform(12, 180), rng.uniform(74, 120), rng.uniform(0, 2 * math.pi), 7,
                   rng.uniform(1.6, 2.6))

    tiles = fit_tiles(field)
    tidy(tiles)
    place(tiles, 34, 18, start_row(46))
    return tiles


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "map")
    os.makedirs(folder, exist_ok=True)
    # The trial's way is twice as wide as the widest ship; the free flight's
    # caves let it in.
    for name, make, room in [("canyon_run.map.json", canyon_run, WIDEST_SHIP),
                             ("open_caverns.map.json", open_caverns, WIDEST_SHIP / 2)]:
        tiles = make()
        check_flight(name, tiles, room)
        write_map(os.path.join(folder, name), tiles)
        print(f"{name}: {len(tiles)} x {len(tiles[0])}")


if __name__ == "__main__":
    main()
