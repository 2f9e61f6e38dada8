#!/bin/sh
# Sound effects of the ship parts and of play mode, synthesised with sox.
# Loops are crossfaded into themselves (loop.py) so they repeat without a click.
# sox -R uses its fixed random sequence, so every run writes the same files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data=$(cd "$here/../../.." && pwd)/data
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

RATE=22050
FMT="-r $RATE -c 1 -b 16"
mkdir -p "$data/snd/parts" "$data/snd/ship" "$data/snd/impact"

# gen <file> <seconds> <generator and effects...>: one mono layer.
gen() {
    gen_out=$1; gen_secs=$2; shift 2
    sox -R -n $FMT "$tmp/$gen_out" synth "$gen_secs" "$@"
}

# mixloop <output> <seconds> <effects> -- layers mixed, effects applied, looped.
mixloop() {
    out=$1; secs=$2; shift 2
    sox -R -m "$tmp/l1.wav" "$tmp/l2.wav" $FMT "$tmp/mixed.wav" gain -10 "$@"
    /usr/bin/python3 "$here/loop.py" "$tmp/mixed.wav" "$tmp/loop.wav" "$secs" 0.2
    sox -R "$tmp/loop.wav" $FMT "$out" norm -3
}

# loop <output> <seconds> <noise generator and effects...>
loop() {
    out=$1; secs=$2; shift 2
    source=$1; shift
    gen raw.wav "$(awk "BEGIN { print $secs + 0.2 }")" "$source" gain -12 "$@"
    /usr/bin/python3 "$here/loop.py" "$tmp/raw.wav" "$tmp/loop.wav" "$secs" 0.2
    sox -R "$tmp/loop.wav" $FMT "$out" norm -3
}

# Jets: filtered noise, a deep roar for the main engine, hisses for the rest.
loop "$data/snd/parts/jet_main.wav" 1.5 brownnoise lowpass 700 bass +6 100 tremolo 9 12
loop "$data/snd/parts/jet_brake.wav" 1.2 pinknoise highpass 900 lowpass 4500 tremolo 14 20
loop "$data/snd/parts/jet_small.wav" 1.0 pinknoise highpass 1800 lowpass 6000 tremolo 21 15
loop "$data/snd/parts/jet_medium.wav" 1.0 pinknoise highpass 700 lowpass 3500 tremolo 16 15
# Tracks: a low rumble with the beat of the treads.
loop "$data/snd/parts/track_light.wav" 1.0 brownnoise lowpass 260 tremolo 12 60 bass +4 80
loop "$data/snd/parts/track_heavy.wav" 1.0 brownnoise lowpass 170 tremolo 8 70 bass +6 60
# Drill motors: a grinding saw tone with noise, chopped by the gear teeth.
gen l1.wav 1.2 sawtooth 118 vol 0.5
gen l2.wav 1.2 brownnoise vol 0.6
mixloop "$data/snd/parts/drill_light.wav" 1.0 lowpass 1800 overdrive 12 tremolo 24 40
gen l1.wav 1.2 sawtooth 74 vol 0.5
gen l2.wav 1.2 brownnoise vol 0.6
mixloop "$data/snd/parts/drill_heavy.wav" 1.0 lowpass 1200 overdrive 16 tremolo 16 45
# Bit on rock while a head bores.
gen l1.wav 1.2 sawtooth 190 vol 0.4
gen l2.wav 1.2 pinknoise vol 0.7
mixloop "$data/snd/impact/furo kovet erint.wav" 1.0 bandpass 1400 1200h overdrive 18 tremolo 33 55

# oneshot <output> <seconds> <effects>: layers l1 and l2 mixed, faded out.
oneshot() {
    out=$1; secs=$2; shift 2
    sox -R -m "$tmp/l1.wav" "$tmp/l2.wav" $FMT "$tmp/mixed.wav" gain -10 "$@"
    sox -R "$tmp/mixed.wav" $FMT "$out" fade q 0.004 -0 "$(awk "BEGIN { print $secs * 0.9 }")" norm -1
}

# Impacts: short thuds whose weight fits the object.
gen l1.wav 0.45 brownnoise fade p 0 0.45 0.42
gen l2.wav 0.45 sine 55 fade p 0 0.45 0.4
oneshot "$data/snd/impact/impact hull_ground.wav" 0.45 lowpass 320 bass +8 70
gen l1.wav 0.25 brownnoise fade p 0 0.25 0.23
gen l2.wav 0.25 sine 140 fade p 0 0.25 0.2
oneshot "$data/snd/impact/impact track_ground.wav" 0.25 lowpass 900
gen l1.wav 0.7 sine 211 sine 547 fade p 0 0.7 0.66
gen l2.wav 0.7 brownnoise fade p 0 0.7 0.6
oneshot "$data/snd/impact/impact ship_platform.wav" 0.7 lowpass 2600
gen l1.wav 0.9 brownnoise fade p 0 0.9 0.8
gen l2.wav 0.9 brownnoise tremolo 17 70 fade p 0 0.9 0.5
oneshot "$data/snd/impact/drill_fall.wav" 0.9 lowpass 1100 bass +5 120
# Checkpoint: a bright two-note chime.
gen a.wav 0.7 sine 1318.5 fade q 0.005 0.7 0.6
gen b.wav 0.9 sine 1975.5 fade q 0.005 0.9 0.8
sox -R "$tmp/b.wav" $FMT "$tmp/b2.wav" pad 0.09
sox -R -m "$tmp/a.wav" "$tmp/b2.wav" $FMT "$data/snd/impact/score.wav" norm -2
# Death: a falling alarm over crackling sparks.
gen siren.wav 1.4 square 880-220 gain -10 lowpass 2500 tremolo 7 60
gen crackle.wav 1.4 whitenoise gain -10 highpass 2000 tremolo 37 90 vol 0.4
sox -R -m "$tmp/siren.wav" "$tmp/crackle.wav" $FMT "$data/snd/ship/malfunction.wav" fade q 0.01 1.4 0.5 norm -2
