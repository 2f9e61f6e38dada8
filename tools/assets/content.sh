#!/bin/sh
# Regenerates the game content made by the asset pipeline: the ship parts and
# their catalogue rows in data/velk.sql, jet flames, sample ships, the level
# objects (moon, checkpoint, platform), play-mode images and hull textures,
# and the sound effects of parts, impacts and the ship.
# Needs librsvg2-bin, python3-pil, python3-numpy, sox and libsox-fmt-base.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3
# No bytecode caches in the source tree.
export PYTHONDONTWRITEBYTECODE=1

$py "$here/parts/parts.py"
$py "$here/ships/ships.py"
$py "$here/levelobjects/levelobjects.py"
$py "$here/playimages/playimages.py"
sh "$here/sfx/sfx.sh"
