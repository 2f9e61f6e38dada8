"""Shared helpers of the content generators: deterministic JSON files, SVG
sprite sheets rendered with rsvg-convert, and builders for the game's physics
scene files (the JSON world format the B2Scene loader reads).

Every generator imports this module; nothing here reads the clock or an
unseeded random source, so a regeneration reproduces the same bytes."""

import json
import math
import os
import subprocess
import tempfile

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
DATA = os.path.join(REPO, "data")

# Texture density of ship parts and level objects: pixels per world unit.
PPU = 32

# Collision filters. The hull is category 0x0008 with mask 0xF00F; part bodies
# take 0x0010 and collide with the terrain and platforms (category 0x0001)
# only, so they never fight the hull they are welded to, nor each other.
PART_CATEGORY = 0x0010
PART_MASK = 0x0001


def data_path(*parts):
    return os.path.join(DATA, *parts)


def ensure_dir(path):
    os.makedirs(path, exist_ok=True)
    return path


def write_text(path, text):
    ensure_dir(os.path.dirname(path))
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(tmp, path)


def write_json(path, value):
    write_text(path, json.dumps(value, indent=4, ensure_ascii=False) + "\n")


def r(value, digits=4):
    """Rounds for stable, readable files (and turns -0.0 into 0)."""
    value = round(float(value), digits)
    if value == 0:
        return 0
    if value == int(value):
        return int(value)
    return value


# --------------------------------------------------------------------------
# SVG sprite sheets

class Sheet:
    """Sprites laid out left to right in rows; each sprite is an SVG fragment
    drawn in its own pixel frame (0, 0)-(w, h). `rects` gives the image map."""

    def __init__(self, max_width=512, pad=2):
        self.max_width = max_width
        self.pad = pad
        self.items = []
        self.rects = {}
        self.defs = []
        self.x = pad
        self.y = pad
        self.row_h = 0
        self.width = 0

    def add(self, name, w, h, svg):
        w, h = int(math.ceil(w)), int(math.ceil(h))
        if self.x + w + self.pad > self.max_width and self.x > self.pad:
            self.x = self.pad
            self.y += self.row_h + self.pad
            self.row_h = 0
        self.items.append((self.x, self.y, svg))
        self.rects[name] = [self.x, self.y, w, h]
        self.width = max(self.width, self.x + w + self.pad)
        self.x += w + self.pad
        self.row_h = max(self.row_h, h)
        return self.rects[name]

    def add_def(self, text):
        self.defs.append(text)

    def svg(self):
        height = self.y + self.row_h + self.pad
        parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
                 % (self.width, height, self.width, height)]
        parts.append("<defs>%s</defs>" % "".join(self.defs))
        for x, y, svg in self.items:
            parts.append('<g transform="translate(%d,%d)">%s</g>' % (x, y, svg))
        parts.append("</svg>")
        return "\n".join(parts)

    def render(self, png_path):
        render_svg(self.svg(), png_path)


def render_svg(svg_text, png_path):
    ensure_dir(os.path.dirname(png_path))
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False, encoding="utf-8") as f:
        f.write(svg_text)
        name = f.name
    try:
        subprocess.run(["rsvg-convert", "-f", "png", "-o", png_path, name], check=True)
    finally:
        os.unlink(name)
    strip_png(png_path)


def strip_png(path):
    """Rewrites a PNG without metadata chunks, so it depends only on its pixels."""
    from PIL import Image
    with Image.open(path) as img:
        img.load()
        out = img.copy()
    out.save(path, optimize=True)


# --------------------------------------------------------------------------
# Colours and the common drawing style: flat shapes, one soft gradient,
# a darker outline.

def hex_to_rgb(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def rgb_to_hex(rgb):
    return "#%02x%02x%02x" % tuple(max(0, min(255, int(round(c)))) for c in rgb)


def shade(color, factor):
    """factor > 1 lightens toward white, < 1 darkens toward black."""
    rgb = hex_to_rgb(color)
    if factor >= 1:
        return rgb_to_hex([c + (255 - c) * (factor - 1) for c in rgb])
    return rgb_to_hex([c * factor for c in rgb])


class Style:
    """A palette. The normal look and the ship editor's "_test" look draw the
    same shapes with different styles."""

    def __init__(self, name, test=False):
        self.name = name
        self.test = test
        self.grad_ids = {}
        self.counter = 0

    def fill(self, sheet, color, vertical=True):
        """Returns a fill attribute with the one soft gradient of a shape."""
        if self.test:
            return 'fill="#0e3a48" fill-opacity="0.55"'
        key = (color, vertical)
        if key not in self.grad_ids:
            self.counter += 1
            gid = "g%s%d" % (self.name, self.counter)
            self.grad_ids[key] = gid
            x2, y2 = ("0", "1") if vertical else ("1", "0")
            sheet.add_def('<linearGradient id="%s" x1="0" y1="0" x2="%s" y2="%s">'
                          '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
                          '</linearGradient>' % (gid, x2, y2, shade(color, 1.25), shade(color, 0.78)))
        return 'fill="url(#%s)"' % self.grad_ids[key]

    def stroke(self, color, width=1.6):
        if self.test:
            return 'stroke="#5fe3ff" stroke-width="%.2f" stroke-linejoin="round"' % width
        return 'stroke="%s" stroke-width="%.2f" stroke-linejoin="round"' % (shade(color, 0.45), width)

    def flat(self, color, opacity=1.0):
        if self.test:
            return 'fill="#5fe3ff" fill-opacity="%.2f"' % (0.35 * opacity)
        return 'fill="%s" fill-opacity="%.2f"' % (color, opacity)

    def shape(self, sheet, tag, color, attrs, width=1.6, vertical=True):
        return "<%s %s %s %s/>" % (tag, attrs, self.fill(sheet, color, vertical), self.stroke(color, width))


def pts(points):
    return " ".join("%.2f,%.2f" % (x, y) for x, y in points)


# --------------------------------------------------------------------------
# Physics scene files

WORLD_FLAGS = {
    # Every scene loaded into the game's world sets these world-wide flags
    # again, so all scene files must agree on them.
    "gravity": {"x": 0, "y": -5},
    "allowSleep": True,
    "autoClearForces": True,
    "warmStarting": True,
    "continuousPhysics": True,
    "subStepping": False,
}


def points_json(points):
    return {"x": [r(p[0]) for p in points], "y": [r(p[1]) for p in points]}


def vec(x, y):
    if x == 0 and y == 0:
        return 0
    return {"x": r(x), "y": r(y)}


def polygon_fixture(points, density, friction=0.4, restitution=0.0, name=None,
                    category=PART_CATEGORY, mask=PART_MASK, sensor=False):
    assert 3 <= len(points) <= 8, points
    assert polygon_area(points) > 0, "polygons go counter-clockwise: %r" % (points,)
    f = {"density": r(density), "friction": r(friction), "polygon": {"vertices": points_json(points)}}
    if restitution:
        f["restitution"] = r(restitution)
    if name:
        f["name"] = name
    if sensor:
        f["sensor"] = True
    if category != 1:
        f["filter-categoryBits"] = category
    if mask != 0xFFFF:
        f["filter-maskBits"] = mask
    return f


def box_points(cx, cy, w, h):
    return [(cx - w / 2, cy - h / 2), (cx + w / 2, cy - h / 2), (cx + w / 2, cy + h / 2), (cx - w / 2, cy + h / 2)]


def circle_fixture(radius, density, friction=0.4, center=(0, 0), name=None,
                   category=PART_CATEGORY, mask=PART_MASK):
    f = {"density": r(density), "friction": r(friction),
         "circle": {"radius": r(radius), "center": vec(*center)}}
    if name:
        f["name"] = name
    if category != 1:
        f["filter-categoryBits"] = category
    if mask != 0xFFFF:
        f["filter-maskBits"] = mask
    return f


def body(name, fixtures, position=(0, 0), btype=2, angle=0.0, **extra):
    b = {"type": btype, "name": name, "position": vec(*position), "angle": r(angle),
         "linearVelocity": 0, "angularVelocity": 0, "awake": True, "fixture": fixtures}
    if btype == 2:
        # The scene loader applies these after the fixtures and takes missing
        # ones as 0, which would leave Box2D's unit mass and no rotation.
        mass, center, inertia = body_mass(fixtures)
        b["massData-mass"] = r(mass, 6)
        b["massData-center"] = vec(round(center[0], 6), round(center[1], 6))
        b["massData-I"] = r(inertia, 6)
    b.update(extra)
    return b


def polygon_mass(points, density):
    """Box2D's b2PolygonShape::ComputeMass: mass, centre and inertia about the
    body origin."""
    sx, sy = points[0]
    area = cx = cy = inertia = 0.0
    for i in range(len(points)):
        e1x, e1y = points[i][0] - sx, points[i][1] - sy
        e2x, e2y = points[(i + 1) % len(points)][0] - sx, points[(i + 1) % len(points)][1] - sy
        d = e1x * e2y - e1y * e2x
        tri = 0.5 * d
        area += tri
        cx += tri * (e1x + e2x) / 3.0
        cy += tri * (e1y + e2y) / 3.0
        intx2 = e1x * e1x + e2x * e1x + e2x * e2x
        inty2 = e1y * e1y + e2y * e1y + e2y * e2y
        inertia += (0.25 / 3.0 * d) * (intx2 + inty2)
    mass = density * area
    cx, cy = cx / area, cy / area
    center = (cx + sx, cy + sy)
    inertia = density * inertia + mass * (center[0] ** 2 + center[1] ** 2 - (cx * cx + cy * cy))
    return mass, center, inertia


def body_mass(fixtures):
    total = mx = my = inertia = 0.0
    for f in fixtures:
        if f.get("sensor") or not f.get("density"):
            continue
        if "polygon" in f:
            v = f["polygon"]["vertices"]
            m, c, i = polygon_mass(list(zip(v["x"], v["y"])), f["density"])
        else:
            radius = f["circle"]["radius"]
            center = f["circle"]["center"]
            c = (0.0, 0.0) if center == 0 else (center["x"], center["y"])
            m = f["density"] * math.pi * radius * radius
            i = m * (0.5 * radius * radius + c[0] ** 2 + c[1] ** 2)
        total += m
        mx += m * c[0]
        my += m * c[1]
        inertia += i
    if total <= 0:
        return 0.0, (0.0, 0.0), 0.0
    return total, (mx / total, my / total), inertia


def scene(bodies, joints=()):
    s = dict(WORLD_FLAGS)
    s["body"] = list(bodies)
    s["joint"] = list(joints)
    return s


def body_index(bodies, name):
    for i, b in enumerate(bodies):
        if b.get("name") == name:
            return i
    raise KeyError(name)


def polygon_area(points):
    a = 0.0
    for i in range(len(points)):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % len(points)]
        a += x1 * y2 - x2 * y1
    return a / 2.0


# --------------------------------------------------------------------------
# Object files and image maps

def image_map(image_file, rects):
    return {"ImageFile": image_file, "Images": {k: rects[k] for k in sorted(rects)}}


def component(**keys):
    """A component description; keys as the object file names them."""
    return {k: v for k, v in keys.items() if v is not None}


def sprite_component(body_name, image, size, origin=None, main=False, cid=None, mask=None, props=None):
    w, h = size
    c = {}
    if body_name:
        c["Body"] = body_name
    if cid:
        c["Id"] = cid
    if main:
        c["Main"] = True
    if mask:
        c["Mask"] = True
    c["Image"] = image
    c["Size"] = [r(w), r(h)]
    c["Origin"] = [r(origin[0]), r(origin[1])] if origin else [r(w / 2), r(h / 2)]
    if props:
        c["Properties"] = props
    return c
