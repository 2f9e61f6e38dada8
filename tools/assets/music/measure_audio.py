#!/usr/bin/python3
"""Measures rendered music the way a listener would notice faults:
length, peak level, clipped samples, silent gaps and the jump at the loop seam.
Usage: measure_audio.py FILE.ogg...   (decoded through sox)
Prints one line per file; exits 1 when a value is out of range."""
import subprocess
import sys

import numpy as np

RATE = 44100
MIN_SECONDS, MAX_SECONDS = 90.0, 180.0
PEAK_RANGE_DB = (-4.5, -1.5)  # aim -3 dBFS; Vorbis moves peaks a little
SILENCE_DB = -50.0
MAX_SILENCE_SECONDS = 1.0


def decode(path):
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "floating-point", "-b", "32", "-r", str(RATE),
                          "-c", "2", "-"], check=True, capture_output=True).stdout
    return np.frombuffer(raw, dtype=np.float32).reshape(-1, 2).astype(np.float64)


def measure(path):
    audio = decode(path)
    seconds = len(audio) / RATE
    peak = np.abs(audio).max()
    peak_db = 20 * np.log10(peak)
    clipped = int((np.abs(audio) >= 0.999).sum())
    window = RATE // 20
    frames = len(audio) // window
    rms = np.sqrt((audio[: frames * window] ** 2).reshape(frames, window * 2).mean(axis=1))
    quiet = 20 * np.log10(np.maximum(rms, 1e-9)) < SILENCE_DB
    longest = run = 0
    for q in quiet:
        run = run + 1 if q else 0
        longest = max(longest, run)
    gap = longest * window / RATE
    # The seam: the step from the last sample to the first, against the
    # steps inside the track.
    steps = np.abs(np.diff(audio, axis=0)).max(axis=1)
    seam = np.abs(audio[0] - audio[-1]).max()
    seam_ratio = seam / max(np.percentile(steps, 99.9), 1e-9)
    problems = []
    if not MIN_SECONDS <= seconds <= MAX_SECONDS:
        problems.append("length")
    if not PEAK_RANGE_DB[0] <= peak_db <= PEAK_RANGE_DB[1]:
        problems.append("peak")
    if clipped:
        problems.append("clipping")
    if gap > MAX_SILENCE_SECONDS:
        problems.append("silence")
    if seam_ratio > 1.0:
        problems.append("seam")
    print(f"{path}: {seconds:.1f} s, peak {peak_db:.2f} dBFS, {clipped} clipped, longest quiet "
          f"{gap:.2f} s, seam step {seam:.4f} ({seam_ratio:.2f} of the 99.9th percentile step)"
          + (" PROBLEM: " + ", ".join(problems) if problems else ""))
    return not problems


if __name__ == "__main__":
    ok = all([measure(p) for p in sys.argv[1:]])
    sys.exit(0 if ok else 1)
