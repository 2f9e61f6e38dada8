#!/usr/bin/python3
"""Generates the ship editor's pictures from the part catalogue in data/velk.sql:

  data/img/editor/EditorItems.png (+ .img.json)           builder pictures of every part but cockpits
  data/img/editor/EditorItems_Cockpits.png (+ .img.json)  builder pictures of the cockpits
  data/gui/imagesets/InventoryIcons.png (+ .imageset)     inventory icons, one per part image, and Button_BG
  data/gui/imagesets/EditorIcons.png (+ .imageset)        tab icons (four frames each) and tool icons
  data/gui/imagesets/EditorHelp.png (+ .imageset)         pictures of the help window
  data/gui/animations/EditorAnimations.anim               one looping animation per tab button

A part's picture is drawn from its catalogue outline inside its picture
rectangle, so the builder's picture, outline and hit area always agree.
Deterministic: no clock, no random source.

Usage: editor_images.py [REPO_ROOT]
"""
import json
import math
import os
import re
import sys

from PIL import Image, ImageDraw

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", ".."))
SS = 4  # supersampling factor for smooth edges
PX_PER_UNIT = 48  # builder pictures: pixels per ship unit

# Flat colours of the game's look: body fill, gradient end, outline, accent.
CATEGORY_STYLE = {
    "jet": ((92, 104, 122), (58, 66, 80), (20, 26, 34), (255, 140, 40)),
    "track": ((84, 88, 96), (50, 52, 58), (18, 20, 24), (200, 160, 70)),
    "drill": ((150, 120, 70), (96, 76, 44), (30, 24, 14), (230, 190, 90)),
    "drillhead": ((170, 176, 186), (110, 116, 126), (30, 32, 38), (120, 230, 255)),
    "cockpit": ((80, 170, 210), (36, 92, 130), (14, 30, 44), (190, 240, 255)),
    "antenna": ((150, 160, 176), (96, 104, 118), (24, 28, 34), (255, 190, 60)),
    "lamp": ((200, 190, 140), (140, 130, 90), (34, 32, 22), (255, 220, 110)),
}
DEFAULT_STYLE = ((140, 140, 150), (90, 90, 100), (20, 20, 26), (56, 203, 242))
CYAN = (56, 203, 242, 255)
AMBER = (255, 190, 60, 255)
ORANGE = (255, 120, 30, 255)
PANEL = (24, 38, 54, 255)
PANEL_EDGE = (56, 203, 242, 255)


def read_catalogue():
    """(id, code, image, body points, category, shape (x, y, w, h)) from the SQL rows."""
    text = open(os.path.join(ROOT, "data", "velk.sql"), encoding="utf-8").read()
    block = text.split('INSERT OR REPLACE INTO "part"', 1)[1].split(";", 1)[0]
    rows = []
    for m in re.finditer(r"\((\d+), '([^']*)', '([^']*)', '([^']*)', '([^']*)', '([^']*)'\)", block):
        nums = [float(v) for v in m.group(4).split()]
        body = [(nums[i], nums[i + 1]) for i in range(0, len(nums) - 1, 2)]
        shape = [float(v) for v in m.group(6).split()]
        rows.append((int(m.group(1)), m.group(2), m.group(3), body, m.group(5), shape))
    return sorted(rows)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def part_picture(body, category, shape, ppu):
    """The part drawn from its outline: a vertical gradient fill, a darker
    outline and a category accent. The picture rectangle is in the part's own
    frame with y down, as the picture is drawn; the outline has y up."""
    sx, sy, w, h = shape
    width, height = max(1, round(w * ppu)), max(1, round(h * ppu))
    k = ppu * SS
    big = Image.new("RGBA", (width * SS, height * SS), (0, 0, 0, 0))
    fill, fill2, edge, accent = CATEGORY_STYLE.get(category, DEFAULT_STYLE)
    poly = [((x - sx) * k, (-y - sy) * k) for x, y in body]
    if len(poly) >= 3:
        mask = Image.new("L", big.size, 0)
        ImageDraw.Draw(mask).polygon(poly, fill=255)
        grad = Image.new("RGBA", big.size)
        gd = ImageDraw.Draw(grad)
        for row in range(big.size[1]):
            gd.line([(0, row), (big.size[0], row)], fill=lerp(fill, fill2, row / max(1, big.size[1] - 1)) + (255,))
        big.paste(grad, (0, 0), mask)
        draw = ImageDraw.Draw(big)
        draw.line(poly + [poly[0]], fill=edge + (255,), width=max(SS, int(0.05 * k)), joint="curve")
        # Accent: a stripe through the middle of the outline's box.
        xs = [p[0] for p in poly]
        ys = [p[1] for p in poly]
        cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2
        bw, bh = max(xs) - min(xs), max(ys) - min(ys)
        if category == "jet":
            draw.rectangle((cx - bw * 0.3, max(ys) - bh * 0.12, cx + bw * 0.3, max(ys) - bh * 0.04), fill=accent + (255,))
        elif category == "cockpit":
            draw.ellipse((cx - bw * 0.25, cy - bh * 0.2, cx + bw * 0.05, cy + bh * 0.1), fill=accent + (200,))
        elif category in ("drill", "drillhead"):
            for i in range(3):
                t = (i + 1) / 4
                draw.line([(min(xs) + bw * t, min(ys) + bh * 0.2), (min(xs) + bw * t + bw * 0.08, max(ys) - bh * 0.2)],
                          fill=accent + (255,), width=max(SS, int(0.04 * k)))
        elif category == "track":
            r = bh * 0.22
            for i in range(4):
                x = min(xs) + bw * (i + 0.5) / 4
                draw.ellipse((x - r, max(ys) - 2.2 * r, x + r, max(ys) - 0.2 * r), fill=edge + (255,), outline=accent + (255,),
                             width=max(SS, int(0.03 * k)))
        elif category == "lamp":
            draw.ellipse((cx - bw * 0.2, cy - bh * 0.25, cx + bw * 0.2, cy + bh * 0.25), fill=accent + (255,))
        else:
            draw.ellipse((cx - bw * 0.12, min(ys) + bh * 0.02, cx + bw * 0.12, min(ys) + bh * 0.02 + bw * 0.24), fill=accent + (255,))
    return big.resize((width, height), Image.LANCZOS)


class Atlas:
    """Shelf packing in insertion order, 2 pixels apart."""

    def __init__(self, width):
        self.width = width
        self.pieces = []
        self.x = self.y = 2
        self.shelf = 0

    def add(self, name, image):
        if self.x + image.width + 2 > self.width:
            self.x = 2
            self.y += self.shelf + 2
            self.shelf = 0
        self.pieces.append((name, image, self.x, self.y))
        self.x += image.width + 2
        self.shelf = max(self.shelf, image.height)

    def image(self):
        height = self.y + self.shelf + 2
        size = 1
        while size < height:
            size *= 2
        atlas = Image.new("RGBA", (self.width, size), (0, 0, 0, 0))
        for _, image, x, y in self.pieces:
            atlas.paste(image, (x, y))
        return atlas

    def rects(self):
        return {name: [x, y, image.width, image.height] for name, image, x, y in self.pieces}


def save_png(image, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=True)


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    os.replace(tmp, path)


def write_image_map(folder, name, atlas):
    save_png(atlas.image(), os.path.join(folder, name + ".png"))
    rects = atlas.rects()
    value = {"ImageFile": name + ".png", "Images": {k: rects[k] for k in sorted(rects)}}
    write_text(os.path.join(folder, name + ".img.json"), json.dumps(value, indent=4) + "\n")


def write_imageset(name, atlas, comment):
    folder = os.path.join(ROOT, "data", "gui", "imagesets")
    save_png(atlas.image(), os.path.join(folder, name + ".png"))
    lines = ['<?xml version="1.0" ?>', f"<!-- {comment} Generated by tools/assets/editor/editor_images.py; do not edit. -->",
             f'<Imageset version="2" name="{name}" imagefile="{name}.png" nativeHorzRes="1280" nativeVertRes="1024" autoScaled="false">']
    for piece, image, x, y in atlas.pieces:
        lines.append(f'    <Image name="{piece}" xPos="{x}" yPos="{y}" width="{image.width}" height="{image.height}" />')
    lines.append("</Imageset>")
    write_text(os.path.join(folder, name + ".imageset"), "\n".join(lines) + "\n")


def fit_icon(picture, size, margin):
    """The picture scaled to fit a square icon, centred."""
    room = size - 2 * margin
    scale = min(room / picture.width, room / picture.height)
    w, h = max(1, round(picture.width * scale)), max(1, round(picture.height * scale))
    icon = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    icon.paste(picture.resize((w, h), Image.LANCZOS), ((size - w) // 2, (size - h) // 2))
    return icon


def button_bg(size):
    big = Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    r = 10 * SS
    for row in range(size * SS):
        t = row / (size * SS)
        d.line([(0, row), (size * SS, row)], fill=lerp((34, 54, 76), (18, 28, 40), t) + (235,))
    mask = Image.new("L", big.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle((0, 0, size * SS - 1, size * SS - 1), radius=r, fill=255)
    out = Image.new("RGBA", big.size, (0, 0, 0, 0))
    out.paste(big, (0, 0), mask)
    ImageDraw.Draw(out).rounded_rectangle((SS, SS, size * SS - 1 - SS, size * SS - 1 - SS), radius=r, outline=(56, 140, 180, 255),
                                          width=2 * SS)
    return out.resize((size, size), Image.LANCZOS)


# ---------------------------------------------------------------------------
# Tab and tool icons: small vector drawings, four frames of a looping motion.

def canvas(size):
    return Image.new("RGBA", (size * SS, size * SS), (0, 0, 0, 0))


def done(img, size):
    return img.resize((size, size), Image.LANCZOS)


def icon_builder(f, size=32):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    for i in range(5):
        d.line([(4 * u + i * 6 * u, 4 * u), (4 * u + i * 6 * u, 28 * u)], fill=(60, 90, 110, 255), width=u)
        d.line([(4 * u, 4 * u + i * 6 * u), (28 * u, 4 * u + i * 6 * u)], fill=(60, 90, 110, 255), width=u)
    pts = [(10, 22), (16, 8), (24, 20)]
    d.line([(x * u, y * u) for x, y in pts + [pts[0]]], fill=CYAN, width=2 * u)
    for i, (x, y) in enumerate(pts):
        r = (3 if i == f % 3 else 2) * u
        d.rectangle((x * u - r, y * u - r, x * u + r, y * u + r), fill=AMBER if i == f % 3 else CYAN)
    return done(img, size)


def icon_texture(f, size=32):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    shift = f * 2
    for i in range(4):
        for j in range(4):
            c = (84, 110, 140, 255) if (i + j) % 2 == 0 else (40, 56, 76, 255)
            x, y = 4 + i * 6 + shift % 6, 4 + j * 6
            d.rectangle((x * u, y * u, (x + 6) * u - 1, (y + 6) * u - 1), fill=c)
    d.rectangle((3 * u, 3 * u, 29 * u, 29 * u), outline=CYAN, width=u)
    d.ellipse((18 * u, 18 * u, 30 * u, 30 * u), fill=lerp((255, 120, 30), (255, 200, 80), f / 3) + (255,), outline=(20, 26, 34, 255), width=u)
    return done(img, size)


def icon_test(f, size=32):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    d.rectangle((2 * u, 27 * u, 30 * u, 30 * u), fill=(66, 63, 71, 255))
    lift = [0, 1, 2, 1][f]
    hull = [(8, 16 - lift), (24, 16 - lift), (22, 22 - lift), (10, 22 - lift)]
    d.polygon([(x * u, y * u) for x, y in hull], fill=(31, 52, 55, 255), outline=(114, 253, 255, 255))
    d.ellipse((12 * u, (10 - lift) * u, 20 * u, (17 - lift) * u), fill=(80, 170, 210, 255))
    flame = 3 + f % 2 * 2
    d.polygon([(13 * u, (22 - lift) * u), (19 * u, (22 - lift) * u), (16 * u, (22 - lift + flame) * u)], fill=ORANGE)
    return done(img, size)



def part_tab_icon(picture, f, size=32):
    angle = [0, 6, 0, -6][f]
    icon = fit_icon(picture, size * SS, 3 * SS)
    icon = icon.rotate(angle, resample=Image.BICUBIC)
    return done(icon, size)


def icon_misc(pictures, f, size=32):
    img = canvas(size)
    for i, pic in enumerate(pictures[:3]):
        sub = fit_icon(pic, 16 * SS, SS)
        x, y = [(0, 0), (16, 0), (8, 16)][i]
        if i == f % 3:
            ImageDraw.Draw(img).ellipse((x * SS, y * SS, (x + 16) * SS, (y + 16) * SS), fill=(56, 203, 242, 70))
        img.paste(sub, (x * SS, y * SS), sub)
    return done(img, size)


def icon_snap(size=24):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    for i in range(4):
        d.line([(3 * u + i * 6 * u, 3 * u), (3 * u + i * 6 * u, 21 * u)], fill=(84, 120, 140, 255), width=u)
        d.line([(3 * u, 3 * u + i * 6 * u), (21 * u, 3 * u + i * 6 * u)], fill=(84, 120, 140, 255), width=u)
    d.ellipse((6 * u, 6 * u, 12 * u, 12 * u), fill=AMBER)
    return done(img, size)


def icon_help(size=24):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    d.ellipse((u, u, 23 * u, 23 * u), fill=(24, 60, 86, 255), outline=CYAN, width=2 * u)
    d.arc((8 * u, 5 * u, 16 * u, 13 * u), 180, 90, fill=(230, 240, 250, 255), width=2 * u)
    d.line([(12 * u, 13 * u), (12 * u, 15 * u)], fill=(230, 240, 250, 255), width=2 * u)
    d.ellipse((11 * u, 17 * u, 13 * u, 19 * u), fill=(230, 240, 250, 255))
    return done(img, size)


def mouse_picture(highlight, size=64):
    """A mouse seen from above with one of its buttons (or the wheel) lit."""
    img = canvas(size)
    d = ImageDraw.Draw(img)
    u = SS
    body = (16 * u, 6 * u, 48 * u, 58 * u)
    d.rounded_rectangle(body, radius=14 * u, fill=(44, 58, 74, 255), outline=(150, 180, 200, 255), width=2 * u)
    d.line([(16 * u, 26 * u), (48 * u, 26 * u)], fill=(150, 180, 200, 255), width=2 * u)
    d.line([(32 * u, 6 * u), (32 * u, 26 * u)], fill=(150, 180, 200, 255), width=2 * u)
    lit = AMBER
    if highlight == "left":
        d.rounded_rectangle((18 * u, 8 * u, 31 * u, 25 * u), radius=10 * u, fill=lit)
    elif highlight == "right":
        d.rounded_rectangle((33 * u, 8 * u, 46 * u, 25 * u), radius=10 * u, fill=lit)
    wheel = lit if highlight in ("middle", "wheel") else (120, 140, 160, 255)
    d.rounded_rectangle((29 * u, 11 * u, 35 * u, 22 * u), radius=3 * u, fill=wheel)
    if highlight == "wheel":
        d.polygon([(32 * u, 1 * u), (28 * u, 5 * u), (36 * u, 5 * u)], fill=CYAN)
        d.polygon([(32 * u, 31 * u), (28 * u, 27 * u), (36 * u, 27 * u)], fill=CYAN)
    return done(img, size)


def key_picture(label, size=(48, 32)):
    w, h = size
    img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = SS
    d.rounded_rectangle((u, u, (w - 1) * u, (h - 1) * u), radius=5 * u, fill=(44, 58, 74, 255), outline=(150, 180, 200, 255), width=2 * u)
    # Block letters from strokes, so no font file is needed.
    strokes = {
        "R": [((0, 0), (0, 1)), ((0, 0), (0.6, 0)), ((0.6, 0), (0.6, 0.5)), ((0.6, 0.5), (0, 0.5)), ((0.2, 0.5), (0.7, 1))],
        "F7": [((0, 0), (0, 1)), ((0, 0), (0.4, 0)), ((0, 0.5), (0.3, 0.5)), ((0.6, 0), (1, 0)), ((1, 0), (0.7, 1))],
        "Ctrl": [((0.0, 0), (0.4, 0)), ((0.0, 0), (0.0, 1)), ((0.0, 1), (0.4, 1)), ((0.6, 0), (0.6, 1)), ((0.6, 1), (1.0, 1))],
        "Shift": [((0.8, 0), (0.2, 0)), ((0.2, 0), (0.2, 0.5)), ((0.2, 0.5), (0.8, 0.5)), ((0.8, 0.5), (0.8, 1)), ((0.8, 1), (0.2, 1))],
    }[label]
    x0, y0, sw, sh = w * 0.3, h * 0.25, w * 0.4, h * 0.5
    for (ax, ay), (bx, by) in strokes:
        d.line([((x0 + ax * sw) * u, (y0 + ay * sh) * u), ((x0 + bx * sw) * u, (y0 + by * sh) * u)], fill=(230, 240, 250, 255), width=2 * u)
    return img.resize((w, h), Image.LANCZOS)


def main():
    parts = read_catalogue()
    pictures = {}
    items = Atlas(512)
    cockpits = Atlas(512)
    for pid, code, image, body, category, shape in parts:
        if image in pictures or len(shape) < 4:
            continue
        pic = part_picture(body, category, shape, PX_PER_UNIT)
        pictures[image] = (pic, category)
        (cockpits if category == "cockpit" else items).add(image, pic)
    editor_folder = os.path.join(ROOT, "data", "img", "editor")
    write_image_map(editor_folder, "EditorItems", items)
    write_image_map(editor_folder, "EditorItems_Cockpits", cockpits)

    inventory = Atlas(512)
    inventory.add("Button_BG", button_bg(96))
    for image, (pic, _) in pictures.items():
        inventory.add(image, fit_icon(pic, 64, 4))
    write_imageset("InventoryIcons", inventory, "Icons of the ship editor's parts inventory, one per part image, and the button background.")

    def first_of(category):
        for _, _, image, _, cat, _ in parts:
            if cat == category and image in pictures:
                return pictures[image][0]
        return Image.new("RGBA", (8, 8), (0, 0, 0, 0))

    tabs = {
        "Builder": icon_builder,
        "Texturer": icon_texture,
        "Tester": icon_test,
        "Drills": lambda f: part_tab_icon(first_of("drill"), f),
        "Jets": lambda f: part_tab_icon(first_of("jet"), f),
        "Tracks": lambda f: part_tab_icon(first_of("track"), f),
        "Others": lambda f: icon_misc([first_of("antenna"), first_of("lamp"), first_of("cockpit")], f),
        "Textures": icon_texture,
    }
    icons = Atlas(256)
    for name, draw in tabs.items():
        for f in range(4):
            icons.add(f"{name}{f}", draw(f))
    icons.add("SnapToGrid", icon_snap())
    icons.add("Help", icon_help())
    write_imageset("EditorIcons", icons, "Tab and tool icons of the ship editor, four frames per tab icon.")

    helps = Atlas(256)
    for name in ("left", "right", "middle", "wheel"):
        helps.add("Mouse" + name.capitalize(), mouse_picture(name))
    for key in ("R", "F7", "Ctrl", "Shift"):
        helps.add("Key" + key, key_picture(key))
    write_imageset("EditorHelp", helps, "Pictures of the ship editor's help window.")

    # One looping animation per tab button: the four frames of its icon.
    lines = ['<?xml version="1.0" ?>',
             "<!-- Tab icon animations of the ship editor. Generated by tools/assets/editor/editor_images.py; do not edit. -->",
             "<Animations>"]
    for name in tabs:
        lines.append(f'    <AnimationDefinition name="Editor/{name}" duration="0.8" replayMode="loop">')
        lines.append('        <Affector property="Icon" interpolator="String">')
        for f in range(4):
            lines.append(f'            <KeyFrame position="{f * 0.2:.1f}" value="EditorIcons/{name}{f}" />')
        lines.append(f'            <KeyFrame position="0.8" value="EditorIcons/{name}0" />')
        lines.append("        </Affector>")
        lines.append("    </AnimationDefinition>")
    lines.append("</Animations>")
    write_text(os.path.join(ROOT, "data", "gui", "animations", "EditorAnimations.anim"), "\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
