#!/usr/bin/python3
"""Generates the raster textures of play mode: particle sprites
(data/img/particles), the star background and the ship's darkness filter
(data/img/play), and the tileable hull textures of the ship editor and the
play hull (data/img/tex)."""

import os
import sys

import numpy as np

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "contentlib"))

from noise import periodic_noise, save_rgb, save_rgba, to_rgb, wrapped_distance  # noqa: E402
from velkasset import data_path, ensure_dir  # noqa: E402


def radial(size):
    c = (size - 1) / 2.0
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    return np.sqrt((x - c) ** 2 + (y - c) ** 2) / (size / 2.0)


def smoothstep(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0, 1)
    return t * t * (3 - 2 * t)


# --------------------------------------------------------------------------
# Particles: white, so the game's colours tint them.

def spark():
    size = 16
    d = radial(size)
    alpha = 255 * (np.exp(-(d / 0.28) ** 2) * 0.9 + 0.25 * np.exp(-(d / 0.75) ** 2)) * (d < 1)
    rgba = np.zeros((size, size, 4))
    rgba[..., :3] = 255
    rgba[..., 3] = np.clip(alpha, 0, 255)
    save_rgba(data_path("img", "particles", "spark.png"), rgba)


def smoke():
    size = 32
    d = radial(size)
    puff = periodic_noise(size, 31, beta=1.8)
    alpha = 200 * (1 - smoothstep(0.35, 1.0, d + 0.25 * (puff - 0.5)))
    rgba = np.zeros((size, size, 4))
    rgba[..., :3] = (220 + 35 * puff)[..., None]
    rgba[..., 3] = np.clip(alpha, 0, 255)
    save_rgba(data_path("img", "particles", "smoke.png"), rgba)


# --------------------------------------------------------------------------
# Play background: deep blue-black space with faint haze and stars; it tiles.

def stars():
    size = 256
    haze = periodic_noise(size, 41, beta=2.6)
    rgb = to_rgb(haze ** 2, (5, 8, 18), (22, 30, 58))
    rng = np.random.default_rng(42)
    for _ in range(150):
        cx, cy = rng.uniform(0, size, 2)
        bright = rng.uniform(0.25, 1.0) ** 2
        radius = 0.5 + 1.4 * bright
        d = wrapped_distance(size, cx, cy)
        glow = np.exp(-(d / radius) ** 2) * bright
        tint = np.array([1.0, 0.95, 0.85]) if rng.uniform() < 0.3 else np.array([0.85, 0.92, 1.0])
        rgb = rgb + glow[..., None] * 255 * tint
    save_rgb(data_path("img", "play", "dunnnnnnnnix.png"), rgb)


def shadow_filter():
    """Black with a clear middle: the game centres it on the ship, two to three
    camera sizes across, so the view darkens away from the craft."""
    size = 256
    d = radial(size)
    alpha = 235 * smoothstep(0.16, 0.85, d)
    rgba = np.zeros((size, size, 4))
    rgba[..., 3] = alpha
    save_rgba(data_path("img", "play", "arnyekfilter.png"), rgba)


# --------------------------------------------------------------------------
# Hull textures: light, tileable metal, so the hull colour shows through.

TEX = 128


def hull_plates():
    n = periodic_noise(TEX, 51, beta=1.4)
    v = 0.82 + 0.1 * (n - 0.5)
    y, x = np.mgrid[0:TEX, 0:TEX]
    # Panels laid like bricks: every other row shifted by half a panel.
    shift = np.where((y // 32) % 2 == 1, 32, 0)
    seams = ((y % 32) < 2) | (((x + shift) % 64) < 2)
    v = np.where(seams, 0.5, v)
    # Rivets along the seams.
    for cy in range(8, TEX, 32):
        for cx in range(8, TEX, 16):
            d = wrapped_distance(TEX, cx + (32 if (cy // 32) % 2 else 0), cy - 5)
            v = v + 0.18 * np.exp(-(d / 1.6) ** 2)
    save_rgb(data_path("img", "tex", "plates.png"), to_rgb(v, (0, 0, 0), (255, 255, 255)))


def hull_ribs():
    n = periodic_noise(TEX, 52, beta=1.2)
    y = np.mgrid[0:TEX, 0:TEX][0]
    rib = 0.5 + 0.5 * np.cos(2 * np.pi * y / 16.0)
    v = 0.72 + 0.16 * rib + 0.06 * (n - 0.5)
    save_rgb(data_path("img", "tex", "ribs.png"), to_rgb(v, (0, 0, 0), (255, 255, 255)))


def hull_worn():
    n = periodic_noise(TEX, 53, beta=1.8)
    scratches = periodic_noise(TEX, 54, beta=0.3)
    v = 0.8 + 0.14 * (n - 0.5) - 0.12 * (scratches > 0.82)
    save_rgb(data_path("img", "tex", "worn.png"), to_rgb(v, (0, 0, 0), (255, 255, 255)))


def hull_hazard():
    n = periodic_noise(TEX, 55, beta=1.4)
    y, x = np.mgrid[0:TEX, 0:TEX]
    stripe = ((x + y) % 64) < 32
    v = np.where(stripe, 0.9, 0.62) + 0.06 * (n - 0.5)
    save_rgb(data_path("img", "tex", "hazard.png"), to_rgb(v, (0, 0, 0), (255, 255, 255)))


def main():
    for folder in (("img", "particles"), ("img", "play"), ("img", "tex")):
        ensure_dir(data_path(*folder))
    spark()
    smoke()
    stars()
    shadow_filter()
    hull_plates()
    hull_ribs()
    hull_worn()
    hull_hazard()


if __name__ == "__main__":
    main()
