"""Seeded, tileable noise fields for the texture generators (NumPy only)."""

import numpy as np


def periodic_noise(size, seed, beta=2.0, low_cut=1.0):
    """A size x size field in [0, 1] whose spectrum falls as 1/f^beta. It is
    built in the frequency domain, so it wraps around at every edge."""
    rng = np.random.default_rng(seed)
    white = rng.standard_normal((size, size))
    fx = np.fft.fftfreq(size)[:, None] * size
    fy = np.fft.fftfreq(size)[None, :] * size
    f = np.sqrt(fx * fx + fy * fy)
    f[0, 0] = 1.0
    amplitude = 1.0 / np.power(np.maximum(f, low_cut), beta / 2.0)
    amplitude[0, 0] = 0.0
    field = np.real(np.fft.ifft2(np.fft.fft2(white) * amplitude))
    field -= field.min()
    field /= max(field.max(), 1e-9)
    return field


def edge_window(size, margin=0.22):
    """1 inside, falling smoothly to 0 within `margin` of every edge: features
    multiplied by it leave the texture's border alone."""
    t = (np.arange(size) + 0.5) / size
    ramp = np.clip(np.minimum(t, 1 - t) / margin, 0, 1)
    ramp = ramp * ramp * (3 - 2 * ramp)
    return ramp[:, None] * ramp[None, :]


def wrapped_distance(size, cx, cy):
    """Distance of every pixel to (cx, cy) on a torus of the given size."""
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    dx = np.abs(x - cx)
    dy = np.abs(y - cy)
    dx = np.minimum(dx, size - dx)
    dy = np.minimum(dy, size - dy)
    return np.sqrt(dx * dx + dy * dy)


def to_rgb(value, dark, light):
    """Maps a [0, 1] field between two RGB colours."""
    dark = np.array(dark, dtype=np.float64)
    light = np.array(light, dtype=np.float64)
    v = np.clip(value, 0, 1)[..., None]
    return dark + (light - dark) * v


def save_rgb(path, rgb, colors=None):
    from PIL import Image
    img = Image.fromarray(np.clip(np.round(rgb), 0, 255).astype(np.uint8), "RGB")
    if colors:
        img = img.quantize(colors=colors, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    img.save(path, optimize=True)


def save_rgba(path, rgba):
    from PIL import Image
    Image.fromarray(np.clip(np.round(rgba), 0, 255).astype(np.uint8), "RGBA").save(path, optimize=True)
