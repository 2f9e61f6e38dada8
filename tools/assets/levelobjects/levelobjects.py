#!/usr/bin/python3
"""Generates the level objects of play mode: the moon terrain object
(data/obj/moon), the checkpoint (data/obj/checkpoint) and the landing
platform (data/obj/platform), each with its object file, scene file, image
map and texture."""

import math
import os
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "contentlib"))

from noise import edge_window, periodic_noise, save_rgb, to_rgb, wrapped_distance  # noqa: E402
from velkasset import (Sheet, body, box_points, data_path, image_map, polygon_fixture, r, scene,  # noqa: E402
                       write_json)

FG = 256          # foreground texture variants, pixels
BG = 128          # background variants: drawn dimmer and farther away
ROCK_DARK = (62, 67, 80)
ROCK_LIGHT = (150, 158, 172)
RIM = (186, 198, 214)
RIM_BG = (74, 84, 104)


def rock_variant(size, variant):
    """Cool grey rock; every variant shares the same border, so any two of
    them meet without a seam, and differs only inside (craters, veins)."""
    base = 0.5 * periodic_noise(size, 11, beta=2.2) + 0.35 * periodic_noise(size, 12, beta=1.2) \
        + 0.15 * periodic_noise(size, 13, beta=0.4)
    detail = periodic_noise(size, 100 + variant, beta=1.6)
    inner = edge_window(size)
    value = base + 0.35 * inner * (detail - 0.5)
    rng = np.random.default_rng(200 + variant)
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    for _ in range(2 + variant % 2):
        cx, cy = rng.uniform(0.3, 0.7, 2) * size
        radius = rng.uniform(0.06, 0.12) * size
        d = wrapped_distance(size, cx, cy) / radius
        # Light from the upper left: the bowl's far wall is lit, its rim casts shade.
        side = np.clip(((x - cx) + (y - cy)) / (radius * 1.4), -1, 1)
        bowl = np.clip(1 - d, 0, 1) ** 0.6 * (0.18 - 0.14 * side)
        rim = np.exp(-((d - 1.0) ** 2) / 0.03) * (0.1 - 0.06 * side)
        value += inner * (rim - bowl)
    # One fixed scale for every variant, so their shared borders stay equal.
    value = (value - 0.05) / 0.9
    return to_rgb(0.1 + 0.85 * value, ROCK_DARK, ROCK_LIGHT)


def write_moon():
    folder = data_path("obj", "moon")
    os.makedirs(folder, exist_ok=True)
    width, height = 2 * FG, 2 * FG + BG + 8
    atlas = np.zeros((height, width, 3))
    rects = {}
    for k in range(4):
        x, y = (k % 2) * FG, (k // 2) * FG
        rgb = rock_variant(FG, k)
        atlas[y:y + FG, x:x + FG] = rgb
        rects["texture%d" % (k + 1)] = [x, y, FG, FG]
        # The background layer: the same rock, smaller, darker and bluer.
        small = rgb.reshape(BG, FG // BG, BG, FG // BG, 3).mean(axis=(1, 3))
        small = small * 0.5 + np.array([8, 12, 26])
        bx, by = k * BG, 2 * FG
        atlas[by:by + BG, bx:bx + BG] = small
        rects["texture%d_bg" % (k + 1)] = [bx, by, BG, BG]
    by = 2 * FG + BG
    atlas[by:by + 8, 0:8] = RIM
    atlas[by:by + 8, 8:16] = RIM_BG
    rects["foreground_border"] = [0, by, 8, 8]
    rects["background_border"] = [8, by, 8, 8]
    save_rgb(os.path.join(folder, "moon.png"), atlas, colors=128)
    write_json(os.path.join(folder, "moon.img.json"), image_map("moon.png", rects))
    # The terrain builds its own bodies from the map; the scene only names none.
    write_json(os.path.join(folder, "moon.json"), scene([]))
    write_json(os.path.join(folder, "moon.obj.json"),
               {"Body": "moon.json", "ImageSet": "moon.img.json", "Components": []})


# --------------------------------------------------------------------------
# Checkpoint: a white field (the game tints it with its kind's colour) whose
# rotating ring of dashes and pulsing glow loop over eight frames.

CHECKPOINT_RADIUS = 2.5
FIELD_PX = 80


def field_frame(k, frames):
    s = FIELD_PX
    c = s / 2
    phase = k / frames
    pulse = 0.5 + 0.5 * math.cos(2 * math.pi * phase)
    out = ['<circle cx="%.2f" cy="%.2f" r="%.2f" fill="url(#glow)" fill-opacity="%.2f"/>'
           % (c, c, c - 1, 0.55 + 0.3 * pulse)]
    out.append('<circle cx="%.2f" cy="%.2f" r="%.2f" fill="none" stroke="#ffffff" stroke-width="2.5" '
               'stroke-opacity="0.9"/>' % (c, c, c - 6))
    dashes = 8
    for i in range(dashes):
        a0 = 2 * math.pi * (i / dashes + phase / dashes)
        a1 = a0 + math.pi / dashes * 0.9
        rr = c - 12
        out.append('<path d="M %.2f %.2f A %.2f %.2f 0 0 1 %.2f %.2f" fill="none" stroke="#ffffff" '
                   'stroke-width="3.5" stroke-linecap="round" stroke-opacity="0.8"/>'
                   % (c + rr * math.cos(a0), c + rr * math.sin(a0), rr, rr, c + rr * math.cos(a1),
                      c + rr * math.sin(a1)))
    out.append('<circle cx="%.2f" cy="%.2f" r="%.2f" fill="#ffffff" fill-opacity="%.2f" stroke="#d8d8d8" '
               'stroke-width="1.5"/>' % (c, c, 6 + 3 * pulse, 0.85))
    return "".join(out)


def write_checkpoint():
    folder = data_path("obj", "checkpoint")
    sheet = Sheet(max_width=4 * (FIELD_PX + 2) + 2)
    sheet.add_def('<radialGradient id="glow"><stop offset="0" stop-color="#ffffff" stop-opacity="0.7"/>'
                  '<stop offset="0.7" stop-color="#ffffff" stop-opacity="0.15"/>'
                  '<stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>')
    frames = 8
    for k in range(frames):
        sheet.add("Frame%d" % (k + 1), FIELD_PX, FIELD_PX, field_frame(k, frames))
    sheet.render(os.path.join(folder, "checkpoint.png"))
    write_json(os.path.join(folder, "checkpoint.img.json"), image_map("checkpoint.png", sheet.rects))
    # The sensor body is made by the game from "Radius"; the scene holds none.
    write_json(os.path.join(folder, "checkpoint.json"), scene([]))
    size = 2 * CHECKPOINT_RADIUS
    write_json(os.path.join(folder, "checkpoint.obj.json"), {
        "Body": "checkpoint.json", "ImageSet": "checkpoint.img.json",
        "Properties": {"Radius": str(CHECKPOINT_RADIUS)},
        "Components": [{"Id": "Field", "Image": "Frame1", "Size": [size, size], "Origin": [r(size / 2), r(size / 2)]}],
    })


# --------------------------------------------------------------------------
# Platform: a static deck; running lights chase outward in two frames, then
# the deck glows steadily for the rest of the second.

PLATFORM_W = 14.0
DECK_H = 1.0
PLATFORM_PPU = 16


def platform_frame(k):
    w, h = (PLATFORM_W + 0.4) * PLATFORM_PPU, (DECK_H + 0.3) * PLATFORM_PPU
    x0, top = 0.2 * PLATFORM_PPU, 0.3 * PLATFORM_PPU
    dw, dh = PLATFORM_W * PLATFORM_PPU, DECK_H * PLATFORM_PPU
    out = ['<rect x="%.1f" y="%.1f" width="%.1f" height="%.1f" rx="3" fill="url(#deck)" stroke="#3a4250" '
           'stroke-width="1.5"/>' % (x0, top, dw, dh)]
    out.append('<rect x="%.1f" y="%.1f" width="%.1f" height="3" fill="#c9d2dc"/>' % (x0 + 2, top + 1.5, dw - 4))
    # Hazard blocks at both ends.
    for side in (0, 1):
        bx = x0 + 4 if side == 0 else x0 + dw - 28
        for i in range(3):
            out.append('<polygon points="%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f" fill="#ef8a2c"/>'
                       % (bx + i * 8, top + dh - 2, bx + i * 8 + 4, top + dh - 2, bx + i * 8 + 8, top + 5,
                          bx + i * 8 + 4, top + 5))
    lamps = 9
    for i in range(lamps):
        lx = x0 + dw * (i + 1) / (lamps + 1)
        if k == 0:
            lit = i % 2 == 0
        elif k == 1:
            lit = i % 2 == 1
        else:
            lit = True
        color = "#ffd27a" if lit else "#6b5a3c"
        glow = 0.55 if (lit and k < 2) else (0.25 if lit else 0.0)
        if glow:
            out.append('<circle cx="%.1f" cy="%.1f" r="5" fill="#ffb347" fill-opacity="%.2f"/>' % (lx, top, glow))
        out.append('<circle cx="%.1f" cy="%.1f" r="2.2" fill="%s" stroke="#3a4250" stroke-width="0.8"/>'
                   % (lx, top, color))
    return w, h, "".join(out)


def write_platform():
    folder = data_path("obj", "platform")
    sheet = Sheet(max_width=256)
    sheet.add_def('<linearGradient id="deck" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#9aa5b3"/>'
                  '<stop offset="1" stop-color="#5d6776"/></linearGradient>')
    for k in range(3):
        w, h, svg = platform_frame(k)
        sheet.add("platform%d" % (k + 1), w, h, svg)
    sheet.render(os.path.join(folder, "platform.png"))
    write_json(os.path.join(folder, "platform.img.json"), image_map("platform.png", sheet.rects))
    # Origin at the middle of the deck's underside: the game puts it on the
    # bottom edge of the marker cell.
    deck = polygon_fixture(box_points(0, DECK_H / 2, PLATFORM_W, DECK_H), 0, 0.9, category=1, mask=0xFFFF)
    write_json(os.path.join(folder, "platform.json"), scene([body("Platform", [deck], btype=0)]))
    w, h = PLATFORM_W + 0.4, DECK_H + 0.3
    write_json(os.path.join(folder, "platform.obj.json"), {
        "Body": "platform.json", "ImageSet": "platform.img.json",
        "Components": [{"Body": "Platform", "Main": True, "Image": "platform3", "Size": [r(w), r(h)],
                        "Origin": [r(w / 2), r(h)]}],
    })


def main():
    write_moon()
    write_checkpoint()
    write_platform()


if __name__ == "__main__":
    main()
