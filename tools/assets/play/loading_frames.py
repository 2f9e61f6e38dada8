#!/usr/bin/python3
"""Draws the play screen's loading animation: 59 frames, one loop, written as
data/img/loading/Loading0000.png .. Loading0058.png.

The picture: a small grey-blue moon with a lighter rim, a faint cyan orbit
ring of twelve dashes, and the mining craft's amber lamp circling the moon
with a fading trail. Frame i shows the lamp at angle 360 * i / 59 degrees, so
frame 58 leads smoothly into frame 0. Drawn at four times the size and scaled
down for smooth edges; transparent around the picture, so the screen's dark
background shows through.

Usage: loading_frames.py OUTPUT_FOLDER
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

FRAMES = 59
SIZE = 160          # drawn size in pixels
SCALE = 4           # supersampling factor
MOON_RADIUS = 34
ORBIT_RADIUS = 58
TRAIL = 14          # trail dots behind the lamp

ROCK = (122, 138, 158)
ROCK_DARK = (74, 86, 104)
RIM = (176, 192, 210)
CYAN = (56, 203, 242)
AMBER = (255, 190, 60)
ORANGE = (255, 120, 30)


def circle(draw, cx, cy, r, fill, outline=None, width=0):
    s = SCALE
    draw.ellipse(((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), fill=fill,
                 outline=outline, width=width * s)


def moon():
    """The static part: the moon with its craters and the orbit dashes."""
    big = SIZE * SCALE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    c = SIZE / 2
    circle(draw, c, c, MOON_RADIUS + 2, ROCK_DARK + (255,))
    circle(draw, c - 1.5, c - 1.5, MOON_RADIUS - 1, ROCK + (255,))
    # Soft shade on the lower right: a darker disc, offset.
    shade = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    sdraw = ImageDraw.Draw(shade)
    circle(sdraw, c + 12, c + 12, MOON_RADIUS - 4, ROCK_DARK + (150,))
    shade = shade.filter(ImageFilter.GaussianBlur(8 * SCALE))
    mask = Image.new("L", (big, big), 0)
    circle(ImageDraw.Draw(mask), c, c, MOON_RADIUS - 1, 255)
    image.paste(shade, (0, 0), Image.composite(shade, Image.new("RGBA", (big, big)), mask))
    draw = ImageDraw.Draw(image)
    for dx, dy, r in ((-12, -8, 7), (10, 4, 5), (-4, 14, 4), (14, -14, 3)):
        circle(draw, c + dx, c + dy, r, ROCK_DARK + (255,))
        circle(draw, c + dx - 1, c + dy - 1, r - 1.5, (104, 118, 138, 255))
    circle(draw, c, c, MOON_RADIUS, None, RIM + (255,), 1)
    for k in range(12):
        a0 = 2 * math.pi * k / 12
        a1 = a0 + 2 * math.pi / 24
        box = [(c - ORBIT_RADIUS) * SCALE, (c - ORBIT_RADIUS) * SCALE,
               (c + ORBIT_RADIUS) * SCALE, (c + ORBIT_RADIUS) * SCALE]
        draw.arc(box, math.degrees(a0), math.degrees(a1), fill=CYAN + (110,), width=2 * SCALE)
    return image


def frame(base, index):
    image = base.copy()
    glow = Image.new("RGBA", image.size, (0, 0, 0, 0))
    gdraw = ImageDraw.Draw(glow)
    draw = ImageDraw.Draw(image)
    c = SIZE / 2
    angle = 2 * math.pi * index / FRAMES
    for t in range(TRAIL, 0, -1):
        a = angle - t * 0.09
        x, y = c + ORBIT_RADIUS * math.cos(a), c + ORBIT_RADIUS * math.sin(a)
        fade = 1.0 - t / (TRAIL + 1)
        circle(draw, x, y, 1.5 + 3.0 * fade, ORANGE + (int(200 * fade),))
    x, y = c + ORBIT_RADIUS * math.cos(angle), c + ORBIT_RADIUS * math.sin(angle)
    circle(gdraw, x, y, 13, AMBER + (170,))
    glow = glow.filter(ImageFilter.GaussianBlur(6 * SCALE))
    image = Image.alpha_composite(image, glow)
    draw = ImageDraw.Draw(image)
    circle(draw, x, y, 6, AMBER + (255,), (120, 60, 10, 255), 1)
    circle(draw, x - 1.5, y - 1.5, 2.2, (255, 240, 200, 255))
    return image.resize((SIZE, SIZE), Image.LANCZOS)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    base = moon()
    for i in range(FRAMES):
        frame(base, i).save(os.path.join(out, "Loading%04d.png" % i), optimize=True)


if __name__ == "__main__":
    main()
