#!/bin/sh
# The map editor's marker art: renders MapperItems.svg into
# data/img/mapper/MapperItems.png and writes its image map beside it.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
out="$root/data/img/mapper"
mkdir -p "$out"
rsvg-convert --width 192 --height 64 --format png --output "$out/MapperItems.png" "$here/MapperItems.svg"
cat > "$out/MapperItems.img.json" <<'JSON'
{
    "ImageFile": "MapperItems.png",
    "Images": {
        "End": [64, 0, 64, 64],
        "NewImage": [128, 0, 64, 64],
        "Start": [0, 0, 64, 64]
    }
}
JSON
