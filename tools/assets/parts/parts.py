#!/usr/bin/python3
"""Generates the ship parts: the catalogue rows of table "part" (and the
parts' display names in table "lang") inside data/velk.sql, one object folder
per part code under data/obj/parts (object file, scene file, image map,
texture and its "_test" variant), and the jet flames under data/img/flames.

Every part is described once below in world units (y up, its main body at the
origin); the physics outline, the sprite and the catalogue outline come from
the same numbers."""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "contentlib"))

import sprites as sp  # noqa: E402
from velkasset import (Sheet, Style, body, body_index, box_points, circle_fixture, data_path,  # noqa: E402
                       image_map, polygon_fixture, r, scene, sprite_component, write_json, write_text)


class Part:
    def __init__(self, pid, code, category, en, hu):
        self.id = pid
        self.code = code
        self.category = category
        self.en = en
        self.hu = hu
        self.bodies = []
        self.joints = []
        self.components = []
        self.properties = {}
        self.sprites = []          # (name, Frame, draw(style, sheet, frame))
        self.outline = []          # catalogue body: closed polygon, part frame
        self.shape = None          # catalogue picture rectangle: (x, y, w, h), part frame, y down

    def sprite(self, name, frame, draw):
        self.sprites.append((name, frame, draw))
        return frame

    def write(self):
        folder = data_path("obj", "parts", self.code)
        texture = self.code + ".png"
        rects = None
        for test in (False, True):
            style = Style("t" if test else "n", test)
            sheet = Sheet(max_width=512)
            for name, frame, draw in self.sprites:
                sheet.add(name, frame.w, frame.h, draw(style, sheet, frame))
            png = self.code + ("_test.png" if test else ".png")
            sheet.render(os.path.join(folder, png))
            rects = sheet.rects
        write_json(os.path.join(folder, self.code + ".img.json"), image_map(texture, rects))
        write_json(os.path.join(folder, self.code + ".json"), scene(self.bodies, self.joints))
        obj = {"Body": self.code + ".json", "ImageSet": self.code + ".img.json"}
        if self.properties:
            obj["Properties"] = dict(self.properties)
        obj["Components"] = self.components
        write_json(os.path.join(folder, self.code + ".obj.json"), obj)

    def sql_row(self):
        body_text = " ".join("%s %s" % (r(x), r(y)) for x, y in self.outline)
        shape_text = " ".join(str(r(v)) for v in self.shape)
        return "(%d, '%s', '%s', '%s', '%s', '%s')" % (self.id, self.code, self.code, body_text,
                                                      self.category, shape_text)


def frame_of(points, margin=0.06):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return sp.Frame(min(xs) - margin, min(ys) - margin, max(xs) + margin, max(ys) + margin)


def picture(part, frame):
    # In the part's frame as the editor draws the picture, y down: the frame's
    # top edge (its highest y) is the rectangle's corner.
    part.shape = (frame.xmin, -frame.ymax, frame.xmax - frame.xmin, frame.ymax - frame.ymin)


def sprite_of(body_name, image, frame, **kw):
    return sprite_component(body_name, image, frame.size(), frame.origin(), **kw)


def flame_component(cid, flame, y, width, length, rotation=0.0):
    c = {"Id": cid, "Position": [0, r(y)]}
    if rotation:
        c["Rotation"] = r(rotation, 6)
    c.update({"Image": "Blank", "Size": [r(width), r(length)], "Origin": [r(width / 2), 0],
              "Properties": {"Flame": flame}})
    return c


def add_blank(part):
    part.sprite("Blank", sp.Frame(0, 0, 8 / 32, 8 / 32), lambda style, sheet, frame: "")


def trim_component(part, y, w, h, x=0.0):
    fr = part.sprite("Trim", sp.Frame(-w / 2 - 0.04, -h / 2 - 0.04, w / 2 + 0.04, h / 2 + 0.04),
                     lambda style, sheet, frame: sp.trim(style, sheet, frame, w, h))
    c = sprite_component(None, "Trim", fr.size(), fr.origin(), mask=True)
    c["Position"] = [r(x), r(y)]
    return c


# --------------------------------------------------------------------------
# Jets

def main_jet(pid, code, en, hu, strength):
    p = Part(pid, code, "jet", en, hu)
    housing = [(-1.0, -0.6), (-0.6, -0.95), (0.6, -0.95), (1.0, -0.6), (0.8, 1.0), (-0.8, 1.0)]
    bell = [(-0.85, -1.35), (0.85, -1.35), (0.62, -0.9), (-0.62, -0.9)]
    p.bodies.append(body("Engine", [polygon_fixture(housing, 1.5, 0.5), polygon_fixture(bell, 1.5, 0.5)]))
    # Brake roofs: flaps hinged at the top corners that open for reverse thrust.
    hinge = 0.78
    p.bodies.append(body("RoofL", [polygon_fixture(box_points(0.37, 0, 0.74, 0.14), 0.5)], (-hinge, 1.04)))
    p.bodies.append(body("RoofR", [polygon_fixture(box_points(-0.37, 0, 0.74, 0.14), 0.5)], (hinge, 1.04)))
    for name, sign in (("RoofL", -1), ("RoofR", 1)):
        lower, upper = (0, 1.25) if sign < 0 else (-1.25, 0)
        p.joints.append({"type": "revolute", "name": name + "Hinge", "bodyA": 0,
                         "bodyB": body_index(p.bodies, name),
                         "anchorA": {"x": r(sign * hinge), "y": 1.04}, "anchorB": 0, "refAngle": 0,
                         "enableLimit": True, "lowerLimit": lower, "upperLimit": upper,
                         "enableMotor": True, "motorSpeed": -5 if sign < 0 else 5, "maxMotorTorque": 60})
    add_blank(p)
    engine = p.sprite("Engine", frame_of(housing + bell),
                      lambda style, sheet, frame: sp.main_engine(style, sheet, frame, housing, bell))
    roof_l = p.sprite("RoofL", sp.Frame(-0.06, -0.1, 0.8, 0.1),
                      lambda style, sheet, frame: sp.roof(style, sheet, frame, 0, 0.74))
    roof_r = p.sprite("RoofR", sp.Frame(-0.8, -0.1, 0.06, 0.1),
                      lambda style, sheet, frame: sp.roof(style, sheet, frame, -0.74, 0))
    p.components = [
        flame_component("Flame+", "flame.main", -1.2, 1.5, 3.2),
        flame_component("Flame-", "flame.brake", 0.95, 1.1, 1.7, math.pi),
        sprite_of("Engine", "Engine", engine, main=True),
        trim_component(p, 0.3, 1.66, 0.3),
        sprite_of("RoofL", "RoofL", roof_l),
        sprite_of("RoofR", "RoofR", roof_r),
    ]
    p.properties = {"Strength": str(strength), "Sound+": "jet_main.wav", "Sound-": "jet_brake.wav"}
    p.outline = [(-0.85, -1.35), (0.85, -1.35), (1.0, -0.6), (0.8, 1.1), (-0.8, 1.1), (-1.0, -0.6)]
    picture(p, engine)
    return p


def side_jet(pid, code, en, hu, strength, w, h, sound):
    p = Part(pid, code, "jet", en, hu)
    nozzle = 0.22
    full = h + 2 * nozzle
    p.bodies.append(body("Engine", [polygon_fixture(box_points(0, 0, w, full), 1.2, 0.5)]))
    add_blank(p)
    engine = p.sprite("Engine", sp.Frame(-w / 2 - 0.12, -full / 2 - 0.05, w / 2 + 0.12, full / 2 + 0.05),
                      lambda style, sheet, frame: sp.small_engine(style, sheet, frame, w, h, nozzle))
    p.components = [
        flame_component("Flame+", "flame.small", -full / 2 + 0.06, w * 0.85, w * 2.0),
        flame_component("Flame-", "flame.small", full / 2 - 0.06, w * 0.85, w * 2.0, math.pi),
        sprite_of("Engine", "Engine", engine, main=True),
        trim_component(p, 0.28, w - 0.12, 0.16),
    ]
    p.properties = {"Strength": str(strength), "Sound+": sound, "Sound-": sound}
    p.outline = box_points(0, 0, w, full)
    picture(p, engine)
    return p


# --------------------------------------------------------------------------
# Tracks: a frame welded to the hull, wheels on sprung, motorised wheel joints

def track(pid, code, en, hu, frame_w, frame_h, wheels, radius, torque, sound):
    p = Part(pid, code, "track", en, hu)
    # Stiff springs: the spring rate follows from the track's own small masses,
    # yet the wheels carry the whole ship.
    wheel_y = -frame_h / 2 - radius * 0.75
    p.bodies.append(body("Frame", [polygon_fixture(box_points(0, 0, frame_w, frame_h), 1.0, 0.6)]))
    span = frame_w - 2 * radius * 0.7
    xs = [-span / 2 + i * span / (wheels - 1) for i in range(wheels)]
    for x in xs:
        p.bodies.append(body("Wheel", [circle_fixture(radius, 1.0, 0.95)], (x, wheel_y)))
    for i, x in enumerate(xs):
        p.joints.append({"type": "wheel", "name": "Axle%d" % (i + 1), "bodyA": 0, "bodyB": i + 1,
                         "anchorA": {"x": r(x), "y": r(wheel_y)}, "anchorB": 0,
                         "localAxisA": {"x": 0, "y": 1}, "enableMotor": True, "motorSpeed": 0,
                         "maxMotorTorque": torque, "springFrequency": 15, "springDampingRatio": 0.7})
    belt = (xs[0] - radius - 0.1, wheel_y - radius - 0.1, xs[-1] + radius + 0.1, frame_h / 2 + 0.04)
    plate = (-frame_w / 2 + 0.1, -frame_h / 2 + 0.02, frame_w / 2 - 0.1, frame_h / 2 - 0.02)
    fr = p.sprite("Frame", sp.Frame(belt[0] - 0.06, belt[1] - 0.06, belt[2] + 0.06, belt[3] + 0.06),
                  lambda style, sheet, frame: sp.track_frame(style, sheet, frame, belt, plate, wheel_y, radius, span))
    wf = p.sprite("Wheel", sp.Frame(-radius - 0.05, -radius - 0.05, radius + 0.05, radius + 0.05),
                  lambda style, sheet, frame: sp.wheel(style, sheet, frame, radius))
    p.components = [
        sprite_of("Frame", "Frame", fr, main=True),
        trim_component(p, 0, frame_w * 0.45, frame_h * 0.35, x=-frame_w * 0.12),
        sprite_of("Wheel", "Wheel", wf),
    ]
    p.properties = {"SoundTrack": sound}
    p.outline = [(belt[0], belt[1]), (belt[2], belt[1]), (belt[2], belt[3]), (belt[0], belt[3])]
    picture(p, fr)
    return p


# --------------------------------------------------------------------------
# Drills: housing (main, welded), a rail on a prismatic joint that slides the
# drill out along +x, and a head mount on a limited revolute joint that the
# head axis swings. The head object is welded to the mount.

def drill(pid, code, en, hu, w, h, rail_len, rail_thick, travel, mount_r, force, torque, sound):
    p = Part(pid, code, "drill", en, hu)
    rail_x = w / 2 - rail_len / 2 + 0.35
    tip_x = rail_x + rail_len / 2
    p.bodies.append(body("Housing", [polygon_fixture(box_points(0, 0, w, h), 1.2, 0.5)]))
    p.bodies.append(body("Rail", [polygon_fixture(box_points(0, 0, rail_len, rail_thick), 0.6, 0.5)], (rail_x, 0)))
    p.bodies.append(body("HeadBody", [circle_fixture(mount_r, 0.6, 0.5)], (tip_x, 0)))
    p.joints.append({"type": "prismatic", "name": "RailSlide", "bodyA": 0, "bodyB": 1,
                     "anchorA": {"x": r(rail_x), "y": 0}, "anchorB": 0, "localAxisA": {"x": 1, "y": 0},
                     "refAngle": 0, "enableLimit": True, "lowerLimit": 0, "upperLimit": r(travel),
                     "enableMotor": True, "motorSpeed": -10, "maxMotorForce": force})
    p.joints.append({"type": "revolute", "name": "HeadSwing", "bodyA": 1, "bodyB": 2,
                     "anchorA": {"x": r(rail_len / 2), "y": 0}, "anchorB": 0, "refAngle": 0,
                     "enableLimit": True, "lowerLimit": -0.8, "upperLimit": 0.8,
                     "enableMotor": True, "motorSpeed": 0, "maxMotorTorque": torque})
    housing = p.sprite("Housing", sp.Frame(-w / 2 - 0.05, -h / 2 - 0.05, w / 2 + 0.05, h / 2 + 0.05),
                       lambda style, sheet, frame: sp.drill_housing(style, sheet, frame, w, h))
    rail = p.sprite("Rail", sp.Frame(-rail_len / 2 - 0.05, -rail_thick / 2 - 0.05, rail_len / 2 + 0.05,
                                     rail_thick / 2 + 0.05),
                    lambda style, sheet, frame: sp.drill_rail(style, sheet, frame, rail_len, rail_thick))
    mount = p.sprite("Mount", sp.Frame(-mount_r - 0.05, -mount_r - 0.05, mount_r + 0.05, mount_r + 0.05),
                     lambda style, sheet, frame: sp.drill_mount(style, sheet, frame, mount_r))
    p.components = [
        sprite_of("Rail", "Rail", rail),
        sprite_of("HeadBody", "Mount", mount, cid="HeadWelding"),
        sprite_of("Housing", "Housing", housing, main=True),
        trim_component(p, -h / 2 + 0.12, w * 0.5, 0.1, x=-w * 0.2),
    ]
    p.properties = {"SoundEngine": sound}
    p.outline = [(-w / 2, -h / 2), (tip_x + mount_r, -h / 2), (tip_x + mount_r, h / 2), (-w / 2, h / 2)]
    picture(p, sp.Frame(-w / 2 - 0.05, -h / 2 - 0.05, tip_x + mount_r + 0.05, h / 2 + 0.05))
    return p


def drill_head(pid, code, en, hu, width, length, hub, color, tip_color, radius, drilltime, frametime):
    """The bit points along its own -y; the drill turns it to face along the
    drill's +x (the other way when the drill is mirrored)."""
    p = Part(pid, code, "drillhead", en, hu)
    cone = [(-width / 2, 0.12), (-width * 0.16, -length + 0.08), (0, -length),
            (width * 0.16, -length + 0.08), (width / 2, 0.12)]
    fixture = polygon_fixture([(-width / 2, 0.12), (-width * 0.16, -length + 0.08), (0, -length),
                               (width * 0.16, -length + 0.08), (width / 2, 0.12)], 0.6, 0.5, name="HeadFix")
    p.bodies.append(body("Head", [fixture, circle_fixture(hub, 0.6, 0.5)]))
    fr = sp.Frame(-width / 2 - 0.06, -length - 0.06, width / 2 + 0.06, hub + 0.06)
    for k in range(4):
        p.sprite("Frame%d" % (k + 1), fr,
                 lambda style, sheet, frame, k=k: sp.drill_bit(style, sheet, frame, cone, hub, color, tip_color,
                                                                k / 4.0, "clip%s%s%d" % (style.name, code, k)))
    p.components = [sprite_of("Head", "Frame1", fr, main=True)]
    p.properties = {"Radius": str(radius), "Drilltime": str(drilltime), "Frametime": str(frametime)}
    p.outline = [pt for pt in cone]
    picture(p, fr)
    return p


# --------------------------------------------------------------------------
# Cockpits, antenna, lamps

def cockpit_part(pid, code, en, hu, base, glass):
    p = Part(pid, code, "cockpit", en, hu)
    p.bodies.append(body("Cockpit", [polygon_fixture(base, 0.8, 0.4)]))
    fr = frame_of(base)
    for state in ("Online", "Offline", "Test"):
        p.sprite(state, fr, lambda style, sheet, frame, state=state:
                 sp.cockpit(style, sheet, frame, base, glass, state, "glass%s%s" % (style.name, code)))
    # The cockpit shows its first component's picture: the body sprite.
    p.components = [sprite_of("Cockpit", "Online", fr, main=True)]
    p.outline = list(base)
    picture(p, fr)
    return p


def antenna_part(pid):
    p = Part(pid, "antenna", "antenna", "Antenna", "Antenna")
    p.bodies.append(body("Antenna", [polygon_fixture(box_points(0, 0.1, 0.6, 0.24), 0.5, 0.4),
                                     polygon_fixture(box_points(0, 0.85, 0.12, 1.3), 0.3, 0.4)]))
    fr = p.sprite("Antenna", sp.Frame(-0.46, -0.08, 0.46, 1.72), lambda style, sheet, frame: sp.antenna(style, sheet, frame))
    p.components = [sprite_of("Antenna", "Antenna", fr, main=True)]
    p.outline = [(-0.3, -0.02), (0.3, -0.02), (0.3, 0.22), (0.06, 1.66), (-0.06, 1.66), (-0.3, 0.22)]
    picture(p, fr)
    return p


def lamp_part(pid, code, en, hu, w, h, beams):
    """`beams`: (length, half width at the end, angle) of each "Light" cone."""
    p = Part(pid, code, "lamp", en, hu)
    p.bodies.append(body("Lamp", [polygon_fixture(box_points(0, 0, w, h), 0.8, 0.4)]))
    fr = p.sprite("Lamp", sp.Frame(-w / 2 - 0.05, -h / 2 - 0.05, w / 2 + 0.09, h / 2 + 0.05),
                  lambda style, sheet, frame: sp.lamp_body(style, sheet, frame, w, h))
    p.components = [sprite_of("Lamp", "Lamp", fr, main=True)]
    for i, (length, half, angle) in enumerate(beams):
        name = "Light%d" % (i + 1)
        start = h * 0.4
        lf = p.sprite(name, sp.Frame(0, -half, length, half),
                      lambda style, sheet, frame, length=length, half=half, name=name:
                      sp.light_cone(style, sheet, frame, length, half, start, "cone%s%s%s" % (style.name, code, name)))
        c = sprite_component(None, name, lf.size(), (0, half), cid="Light")
        c["Position"] = [r(w / 2 + 0.04), 0]
        if angle:
            c["Rotation"] = r(angle, 6)
        p.components.append(c)
    p.outline = box_points(0, 0, w + 0.1, h)
    picture(p, fr)
    return p


# --------------------------------------------------------------------------
# Flames

FLAMES = {
    # name: frame size in pixels, colours (outer, middle, core)
    "flame.main": ((48, 104), ("#e4572e", "#ffb347", "#ffe9a8")),
    "flame.small": ((28, 56), ("#f08a24", "#ffd27a", "#fff4d6")),
    "flame.brake": ((36, 56), ("#d9482b", "#ff9f43", "#ffe0a0")),
}


def write_flame(name):
    (fw, fh), colors = FLAMES[name]
    folder = data_path("img", "flames", name)
    rnd = sp.jitter(name)
    burn = [(rnd.uniform(0.86, 1.0), rnd.uniform(0.9, 1.05), rnd.uniform(-0.12, 0.12)) for _ in range(6)]
    rects = None
    levels = []
    for level in range(4):
        sheet = Sheet(max_width=4096)
        sp.flame_defs(sheet, "L", colors)
        length = 0.4 + 0.2 * level
        width = 0.62 + 0.1 * level
        for i, (lf, wf, sway) in enumerate(burn):
            sheet.add("Frame%d" % (i + 1), fw, fh, sp.flame_shape("L", fw, fh, length * lf, width * wf, 1.0, sway))
        for i, fade in enumerate((0.75, 0.5, 0.3, 0.12)):
            svg = sp.flame_shape("L", fw, fh, length * fade, width * (0.6 + 0.4 * fade), fade + 0.2)
            svg += sp.smoke_puff(fw, fh, length * fade + 0.08, 0.18 + 0.1 * (1 - fade), 0.35 * (1 - fade))
            sheet.add("Dieoutframe%d" % (i + 1), fw, fh, svg)
        png = "%s_%d.png" % (name, level + 1)
        sheet.render(os.path.join(folder, png))
        levels.append(png)
        rects = sheet.rects
    write_json(os.path.join(folder, name + ".img.json"), image_map(levels[0], rects))
    write_json(os.path.join(folder, name + ".flame.json"), {"ImageSet": name + ".img.json", "Levels": levels})


# --------------------------------------------------------------------------

def catalogue():
    steel, dark, blue = "#9aa5b1", "#7c8794", "#a8b3bf"
    return [
        main_jet(1, "jet.mkiii", "Main engine Mk III", "Mk III főhajtómű", 1300),
        side_jet(2, "jet.mki", "Steering jet Mk I", "Mk I manőverező fúvóka", 120, 0.7, 0.9, "jet_small.wav"),
        side_jet(3, "jet.mkii", "Steering jet Mk II", "Mk II manőverező fúvóka", 180, 0.9, 1.2, "jet_medium.wav"),
        track(10, "track.light", "Light track", "Könnyű lánctalp", 3.0, 0.4, 3, 0.34, 90, "track_light.wav"),
        track(11, "track.heavy", "Heavy track", "Nehéz lánctalp", 3.6, 0.5, 4, 0.4, 180, "track_heavy.wav"),
        drill(20, "drill.light", "Light drill", "Könnyű fúró", 1.3, 0.7, 1.6, 0.26, 1.3, 0.2, 500, 150,
              "drill_light.wav"),
        drill(21, "drill.heavy", "Heavy drill", "Nehéz fúró", 1.6, 0.9, 2.0, 0.34, 1.7, 0.26, 900, 300,
              "drill_heavy.wav"),
        drill_head(30, "drillhead.standard", "Standard drill head", "Normál fúrófej", 0.7, 1.3, 0.26,
                   steel, "#e8892b", 1.6, 0.9, 0.04),
        drill_head(31, "drillhead.wide", "Wide drill head", "Széles fúrófej", 1.1, 1.5, 0.32,
                   dark, "#e8892b", 2.4, 1.5, 0.05),
        drill_head(32, "drillhead.diamond", "Diamond drill head", "Gyémántfúrófej", 0.55, 1.5, 0.24,
                   blue, "#bfeaf7", 1.8, 0.45, 0.03),
        cockpit_part(40, "cockpit.bubble", "Bubble cockpit", "Buborékkabin",
                     [(-1.1, -0.3), (1.1, -0.3), (1.0, 0.3), (0.6, 0.75), (0, 0.9), (-0.6, 0.75), (-1.0, 0.3)],
                     [(-0.8, 0.05), (0.8, 0.05), (0.72, 0.35), (0.45, 0.62), (0, 0.72), (-0.45, 0.62),
                      (-0.72, 0.35)]),
        cockpit_part(41, "cockpit.visor", "Visor cockpit", "Sávablakos kabin",
                     [(-1.4, -0.3), (1.4, -0.3), (1.35, 0.1), (0.8, 0.55), (-0.9, 0.55), (-1.4, 0.15)],
                     [(0.1, 0.02), (1.12, 0.02), (0.72, 0.4), (0.1, 0.4)]),
        antenna_part(50),
        lamp_part(60, "lamp.spot", "Spotlight", "Fényszóró", 0.6, 0.4, [(7.0, 1.3, 0.0)]),
        lamp_part(61, "lamp.flood", "Floodlight", "Szórt fényű lámpa", 0.5, 0.6, [(5.0, 2.6, 0.0)]),
    ]


BEGIN = "-- BEGIN part catalogue: generated by tools/assets/parts/parts.py, do not edit by hand."
END = "-- END part catalogue."


def write_sql(parts):
    path = data_path("velk.sql")
    with open(path, encoding="utf-8") as f:
        text = f.read()
    lines = ["-- The part catalogue: id, code (object folder and translation code), editor",
             "-- picture name, outline (x y pairs, y up), category, picture rectangle (x y w h, y down).",
             BEGIN,
             'INSERT OR REPLACE INTO "part" ("id", "code", "image", "body", "category", "shape") VALUES']
    lines.append(",\n".join("    " + p.sql_row() for p in parts) + ";")
    lines.append("")
    lines.append("-- Display names of the parts (their codes are the translation codes).")
    lines.append('INSERT OR REPLACE INTO "lang" ("code", "en", "hu") VALUES')
    lines.append(",\n".join("    ('%s', '%s', '%s')" % (p.code, p.en, p.hu) for p in parts) + ";")
    lines.append(END)
    block = "\n".join(lines) + "\n"
    placeholder = "-- The part catalogue (\"part\") comes with the ship model's data.\n"
    if BEGIN in text:
        start = text.rindex("\n", 0, text.index(BEGIN) - 1)
        start = text.rindex("\n", 0, start) + 1  # the two comment lines above the marker
        end = text.index(END) + len(END) + 1
        text = text[:start] + block + text[end:]
    elif placeholder in text:
        text = text.replace(placeholder, block)
    else:
        text = text.rstrip("\n") + "\n\n" + block
    write_text(path, text)


def main():
    parts = catalogue()
    for p in parts:
        p.write()
    for name in FLAMES:
        write_flame(name)
    write_sql(parts)


if __name__ == "__main__":
    main()
