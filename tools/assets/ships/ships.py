#!/usr/bin/python3
"""Generates the sample ships in data/ships: a light flyer, a craft in
between with one drill, and a tracked driller with two drills. Each is a
hull outline (ship units, y up, counter-clockwise) and parts placed by
catalogue code; the catalogue itself comes from tools/assets/parts."""

import math
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "contentlib"))
sys.path.insert(0, os.path.join(here, "..", "parts"))

import parts as catalogue_module  # noqa: E402
from velkasset import data_path, polygon_area, r, write_json  # noqa: E402

HULL_DENSITY = 5.0
GRAVITY = 5.0


def part(code, x, y, rotation=0.0, mirrored=False, **properties):
    return {"code": code, "x": x, "y": y, "r": rotation, "m": mirrored, "props": properties}


SHIPS = {
    "Dragonfly": {
        # Two landing legs reach just below the main engine's bell.
        "hull": [(-3.0, -0.5), (-2.6, -1.0), (-2.45, -2.8), (-2.0, -2.8), (-1.6, -1.1), (1.6, -1.1), (2.0, -2.8),
                 (2.45, -2.8), (2.6, -1.0), (3.0, -0.5), (2.3, 0.7), (1.0, 1.1), (-1.0, 1.1), (-2.3, 0.7)],
        "parts": [
            part("cockpit.bubble", 0.0, 1.2),
            part("jet.mkiii", 0.0, -1.35),
            part("jet.mki", -3.05, 0.1),
            part("jet.mki", 3.05, 0.1),
            part("antenna", -1.6, 0.85),
            part("lamp.spot", 2.9, -0.55),
        ],
        "texture": ("ribs.png", 0.25),
        "color": (110, 190, 205),
    },
    "Prospector": {
        "hull": [(-3.6, -0.6), (-3.0, -1.3), (-2.35, -1.3), (-2.3, -3.0), (-1.8, -3.0), (-1.6, -1.3), (1.6, -1.3),
                 (1.8, -3.0), (2.3, -3.0), (2.35, -1.3), (3.0, -1.3), (3.8, -0.4), (3.2, 0.9), (1.4, 1.4),
                 (-1.6, 1.4), (-3.2, 0.8)],
        "parts": [
            part("cockpit.visor", 0.6, 1.5),
            part("jet.mkiii", 0.0, -1.55),
            part("jet.mkii", -3.75, 0.2),
            part("jet.mkii", 3.85, 0.2),
            part("drill.light", 3.0, -1.0, -0.7, drillhead="drillhead.standard"),
            part("antenna", -2.2, 1.0),
            part("lamp.flood", 2.75, 1.05),
        ],
        "texture": ("plates.png", 0.3),
        "color": (215, 185, 125),
    },
    "Mole": {
        "hull": [(-4.2, -1.0), (-3.8, -1.4), (3.8, -1.4), (4.3, -0.9), (4.0, 0.9), (2.8, 1.5), (-3.0, 1.5),
                 (-4.0, 1.0)],
        "parts": [
            part("cockpit.bubble", 1.2, 1.6),
            part("track.heavy", -2.5, -1.75),
            part("track.heavy", 2.5, -1.75),
            part("jet.mkiii", 0.0, -1.0),
            part("jet.mki", -4.4, 0.3),
            part("jet.mki", 4.4, 0.3),
            part("drill.heavy", 3.4, -0.7, -0.45, drillhead="drillhead.wide"),
            part("drill.light", -3.4, -0.7, 0.45, True, drillhead="drillhead.diamond"),
            part("antenna", -2.0, 1.3),
            part("lamp.spot", 3.5, 1.25),
        ],
        "texture": ("worn.png", 0.25),
        "color": (232, 160, 70),
    },
}


def part_mass(p):
    total = 0.0
    for b in p.bodies:
        for f in b["fixture"]:
            if "polygon" in f:
                v = f["polygon"]["vertices"]
                total += f["density"] * polygon_area(list(zip(v["x"], v["y"])))
            elif "circle" in f:
                total += f["density"] * math.pi * f["circle"]["radius"] ** 2
    return total


def placed(p, x, y):
    """A point of a placed part's own frame in ship coordinates."""
    if p["m"]:
        x = -x
    c, s = math.cos(p["r"]), math.sin(p["r"])
    return p["x"] + x * c - y * s, p["y"] + x * s + y * c


def body_center(b):
    """A scene body's mass and centre of mass in its part's frame."""
    c = b.get("massData-center", 0)
    cx = 0.0 if c == 0 else c["x"]
    cy = 0.0 if c == 0 else c["y"]
    pos = b["position"]
    a = b.get("angle", 0.0)
    x = (0.0 if pos == 0 else pos["x"]) + cx * math.cos(a) - cy * math.sin(a)
    y = (0.0 if pos == 0 else pos["y"]) + cx * math.sin(a) + cy * math.cos(a)
    return b.get("massData-mass", 0.0), x, y


def part_moment(p, entry, by_code):
    """Mass and first moment (m*x) of a placed part in ship coordinates; a
    drill counts its head, which the drill sets on its head mount turned a
    quarter turn towards the drill's outward side."""
    mass = mx = 0.0
    for b in entry.bodies:
        m, x, y = body_center(b)
        mass += m
        mx += m * placed(p, x, y)[0]
    head = p["props"].get("drillhead")
    if head:
        mount = next(b for b in entry.bodies if b["name"] == "HeadBody")["position"]
        mount_x, _ = placed(p, *((0.0, 0.0) if mount == 0 else (mount["x"], mount["y"])))
        turn = p["r"] + (-math.pi / 2 if p["m"] else math.pi / 2)
        for b in by_code[head].bodies:
            m, x, y = body_center(b)
            mass += m
            mx += m * (mount_x + x * math.cos(turn) - y * math.sin(turn))
    return mass, mx


def balance(design, by_code):
    """Moves the main engine under the craft's centre of mass, so full thrust
    lifts it without turning it."""
    hull = design["hull"]
    area = polygon_area(hull)
    cx = sum((hull[i][0] + hull[i - 1][0]) * (hull[i - 1][0] * hull[i][1] - hull[i][0] * hull[i - 1][1])
             for i in range(len(hull))) / (6 * area)
    mass = HULL_DENSITY * area
    moment = mass * cx
    engine = None
    for p in design["parts"]:
        if p["code"] == "jet.mkiii":
            engine = p
            continue
        m, mx = part_moment(p, by_code[p["code"]], by_code)
        mass += m
        moment += mx
    if engine is not None:
        engine["x"] = round(moment / mass, 3)


def ship_json(design, by_code):
    balance(design, by_code)
    hull = design["hull"]
    assert polygon_area(hull) > 0, "hull outlines go counter-clockwise"
    out_parts = []
    mass = HULL_DENSITY * polygon_area(hull)
    thrust = 0.0
    for p in design["parts"]:
        entry = by_code[p["code"]]
        mass += part_mass(entry)
        head = p["props"].get("drillhead")
        if head:
            mass += part_mass(by_code[head])
        if p["code"] == "jet.mkiii":
            thrust += float(entry.properties["Strength"])
        out_parts.append({"Id": entry.id,
                          "Transform": {"X": r(p["x"]), "Y": r(p["y"]), "R": r(p["r"]), "M": p["m"]},
                          "Properties": dict(p["props"])})
    # The main engines must lift the craft with room to climb.
    assert thrust > 1.4 * mass * GRAVITY, (thrust, mass)
    tex, scale = design["texture"]
    return {
        "Points": {"X": [r(x) for x, _ in hull], "Y": [r(y) for _, y in hull], "R": [0 for _ in hull]},
        "Parts": out_parts,
        "Texture": {"File": tex, "Offset": {"X": 0, "Y": 0}, "Scale": scale},
        "Color": list(design["color"]),
    }


def main():
    by_code = {p.code: p for p in catalogue_module.catalogue()}
    for name, design in SHIPS.items():
        write_json(data_path("ships", name + ".ship.json"), ship_json(design, by_code))


if __name__ == "__main__":
    main()
