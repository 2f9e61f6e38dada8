#!/usr/bin/python3
"""Makes a WAV loop seamless: keeps the first `seconds` of the input and
crossfades its head with the material that follows, so the last sample runs
into the first without a click.

usage: loop.py input.wav output.wav seconds fade_seconds"""

import sys
import wave

import numpy as np


def main():
    src, dst, seconds, fade = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])
    with wave.open(src, "rb") as w:
        rate, width, channels = w.getframerate(), w.getsampwidth(), w.getnchannels()
        assert width == 2 and channels == 1, "mono 16-bit expected"
        data = np.frombuffer(w.readframes(w.getnframes()), dtype="<i2").astype(np.float64)
    n, f = int(seconds * rate), int(fade * rate)
    assert len(data) >= n + f, "input too short for the loop"
    out = data[:n].copy()
    ramp = np.linspace(0.0, 1.0, f, endpoint=False)
    # Equal-power crossfade keeps the noise level steady across the seam.
    out[:f] = data[:f] * np.sin(ramp * np.pi / 2) + data[n:n + f] * np.cos(ramp * np.pi / 2)
    out = np.clip(np.round(out), -32768, 32767).astype("<i2")
    with wave.open(dst, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(out.tobytes())


if __name__ == "__main__":
    main()
