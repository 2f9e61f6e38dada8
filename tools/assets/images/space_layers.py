#!/usr/bin/python3
"""Draws the main menu's two parallax layers of space, both seamlessly tileable
(the background repeats them across the window):

- data/img/mainmenu/dunnnnnnnnix.png: the far layer, opaque deep blue-black
  space with faint nebula wisps and a dust of dim stars;
- data/img/mainmenu/stars.png: the near layer, brighter stars on a
  transparent ground, a few with a soft glow or a four-point flare.

Noise is made periodic by filtering white noise in the frequency domain, and
every star is drawn with wrap-around, so the tiles meet without a seam.
Usage: space_layers.py OUTPUT_FOLDER
"""
import os
import sys

import numpy as np
from PIL import Image

FAR_SIZE = 1024  # large, so the nebula's repetition is hard to see
NEAR_SIZE = 768  # another size, so the two grids do not line up


def periodic_noise(rng, size, slope, low_cut=1.0):
    """Tileable fractal noise in [0, 1]: white noise with a 1/f^slope spectrum."""
    white = rng.standard_normal((size, size))
    fy = np.fft.fftfreq(size)[:, None] * size
    fx = np.fft.fftfreq(size)[None, :] * size
    f = np.sqrt(fx * fx + fy * fy)
    f[0, 0] = 1.0
    spectrum = np.fft.fft2(white) / np.power(f, slope)
    spectrum[f < low_cut] = 0
    field = np.real(np.fft.ifft2(spectrum))
    field -= field.min()
    return field / field.max()


def splat(canvas, x, y, sigma, colour, intensity):
    """Adds a Gaussian dot of the given colour (RGB 0..1) at (x, y), wrapping
    around the edges. canvas is S x S x 3 (light added up)."""
    size = canvas.shape[0]
    radius = int(np.ceil(sigma * 3.5)) + 1
    ix, iy = int(np.floor(x)), int(np.floor(y))
    xs = np.arange(ix - radius, ix + radius + 2)
    ys = np.arange(iy - radius, iy + radius + 2)
    gx = np.exp(-((xs + 0.5 - x) ** 2) / (2 * sigma * sigma))
    gy = np.exp(-((ys + 0.5 - y) ** 2) / (2 * sigma * sigma))
    blob = np.outer(gy, gx) * intensity
    canvas[np.ix_(ys % size, xs % size)] += blob[:, :, None] * np.asarray(colour)[None, None, :]


def flare(canvas, x, y, length, colour, intensity):
    """Thin four-point spikes through (x, y), fading outwards, wrapped."""
    size = canvas.shape[0]
    steps = np.arange(-length, length + 1)
    fade = np.exp(-np.abs(steps) / (length / 3.0)) * intensity
    for dx, dy in ((1, 0), (0, 1)):
        px = (int(round(x)) + steps * dx) % size
        py = (int(round(y)) + steps * dy) % size
        canvas[py, px] += fade[:, None] * np.asarray(colour)[None, :]


STAR_COLOURS = [
    (1.00, 1.00, 1.00),  # white
    (0.80, 0.90, 1.00),  # pale blue
    (0.70, 0.85, 1.00),  # blue
    (1.00, 0.92, 0.78),  # pale amber
]


def far_layer(rng):
    SIZE = FAR_SIZE
    base = np.array([6, 9, 17], dtype=np.float64) / 255.0
    image = np.ones((SIZE, SIZE, 3)) * base
    # Two nebula fields of different scale and hue, shaped so most of the
    # tile stays dark and the wisps are soft.
    wide = periodic_noise(rng, SIZE, 1.8, low_cut=1.5)
    fine = periodic_noise(rng, SIZE, 1.4, low_cut=2.0)
    mask = np.clip((wide - 0.45) / 0.55, 0, 1) ** 1.6
    wisps = mask * (0.55 + 0.45 * fine)
    violet = np.array([34, 30, 78]) / 255.0
    teal = np.array([14, 52, 70]) / 255.0
    mix = periodic_noise(rng, SIZE, 2.2)[:, :, None]
    image += wisps[:, :, None] * (violet * mix + teal * (1 - mix))
    # Dust of dim stars.
    light = np.zeros((SIZE, SIZE, 3))
    for _ in range(2800):
        x, y = rng.uniform(0, SIZE, 2)
        colour = STAR_COLOURS[rng.integers(len(STAR_COLOURS))]
        splat(light, x, y, rng.uniform(0.35, 0.6), colour, rng.uniform(0.08, 0.35))
    image += light
    return Image.fromarray((np.clip(image, 0, 1) * 255 + 0.5).astype(np.uint8), "RGB")


def near_layer(rng):
    SIZE = NEAR_SIZE
    light = np.zeros((SIZE, SIZE, 3))
    for _ in range(380):
        x, y = rng.uniform(0, SIZE, 2)
        colour = STAR_COLOURS[rng.integers(len(STAR_COLOURS))]
        splat(light, x, y, rng.uniform(0.45, 0.75), colour, rng.uniform(0.35, 1.0))
    # A few bright stars with a halo, some with a flare.
    for k in range(30):
        x, y = rng.uniform(0, SIZE, 2)
        colour = STAR_COLOURS[rng.integers(len(STAR_COLOURS))]
        splat(light, x, y, 0.8, colour, 1.2)
        splat(light, x, y, 3.0, colour, 0.12)
        if k % 3 == 0:
            flare(light, x, y, int(rng.integers(6, 11)), colour, 0.35)
    # Premultiplied light to straight alpha: alpha is the brightest channel.
    light = np.clip(light, 0, 1)
    alpha = light.max(axis=2)
    rgb = np.where(alpha[:, :, None] > 0, light / np.maximum(alpha[:, :, None], 1e-6), 0)
    rgba = np.dstack([rgb, alpha])
    return Image.fromarray((rgba * 255 + 0.5).astype(np.uint8), "RGBA")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "data/img/mainmenu"
    os.makedirs(out, exist_ok=True)
    far_layer(np.random.default_rng(20261207)).save(os.path.join(out, "dunnnnnnnnix.png"), optimize=True)
    near_layer(np.random.default_rng(7331)).save(os.path.join(out, "stars.png"), optimize=True)


if __name__ == "__main__":
    main()
