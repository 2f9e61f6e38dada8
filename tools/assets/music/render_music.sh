#!/usr/bin/env bash
# Renders one ABC score into a seamlessly looping Ogg Vorbis track.
#   render_music.sh SCORE.abc OUTPUT.ogg
# The score's part list (its header "P:" line) is one loop. It is rendered
# three times in a row and the middle pass is cut out, so the start already
# carries the reverb tail of the end, exactly as when the player wraps around.
# Chorus is off: its free-running modulation would differ between passes.
# Then the level is set to a peak of -3 dBFS and the track encoded (q3).
set -euo pipefail
score=$1
out=$2
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
rate=44100
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

abc2midi "$score" -o "$work/once.mid" >"$work/abc.log"
if grep -qiE "warning|error" "$work/abc.log"; then
  cat "$work/abc.log" >&2
  exit 1
fi

# One loop's length in samples, from the single pass: the last voice's end
# rounded to a whole beat (abc2midi starts one tick late), the MIDI division
# and the one tempo of the score.
loop=$(mftext "$work/once.mid" | awk -v rate=$rate '
  /^Header/ { for (i = 1; i <= NF; i++) if ($i ~ /^division=/) { split($i, d, "="); division = d[2] + 0 } }
  /Tempo, microseconds-per-MIDI-quarter-note=/ { n = split($0, t, "="); tempo = t[n] + 0 }
  /end of track/ { split($1, e, "="); if (e[2] + 0 > last) last = e[2] + 0 }
  END {
    if (division <= 0 || tempo <= 0 || last <= 0) exit 1
    beats = int(last / division + 0.5)
    printf "%d\n", beats * tempo / 1000000 * rate + 0.5
  }')

# FluidSynth plays MIDI events at 64-sample block boundaries: only when a loop
# is a whole number of blocks does every pass sound the same to the sample
# (at 44.1 kHz: a loop of a multiple of 16 seconds, at a tempo whose beat is
# a whole number of microseconds, as MIDI stores it: 80, 96, 100 or 120 bpm).
if [ $((loop % 64)) -ne 0 ]; then
  echo "$score: one loop is $loop samples, not a multiple of 64; pick bars and tempo for a multiple of 16 s" >&2
  exit 1
fi

awk 'done == 0 && /^P:/ { sub(/^P:/, ""); print "P:" $0 $0 $0; done = 1; next } { print }' "$score" >"$work/three.abc"
abc2midi "$work/three.abc" -o "$work/three.mid" >/dev/null
fluidsynth -ni -q -C 0 -F "$work/three.wav" -r $rate "$soundfont" "$work/three.mid" >/dev/null 2>&1
sox -D "$work/three.wav" "$work/loop.wav" trim "${loop}s" "${loop}s"
sox -D "$work/loop.wav" "$work/level.wav" gain -n -3  # -D: no dither, so a run repeats bit for bit
mkdir -p "$(dirname "$out")"
oggenc -Q -q 3 -s 1 -a Velkors -t "$(basename "$out" .ogg)" -o "$out" "$work/level.wav"
