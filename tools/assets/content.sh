#!/bin/sh
# Regenerates the game content made by the asset pipeline: the ship parts and
# their catalogue rows in data/velk.sql, jet flames, sample ships, the level
# objects (moon, checkpoint, platform), play textures and sound effects.
# Needs librsvg2-bin, python3-pil, python3-numpy, sox, libsox-fmt-base and bc.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3

$py "$here/parts/parts.py"
$py "$here/ships/ships.py"
$py "$here/level/level.py"
$py "$here/textures/textures.py"
sh "$here/sounds/sounds.sh"
