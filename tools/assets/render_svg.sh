#!/usr/bin/env bash
# Renders the SVG sources at the size they are drawn.
#   render_svg.sh REPO_ROOT WORK_FOLDER
# Files the game reads go straight to data/; pieces of an atlas go to
# WORK_FOLDER for the packing script.
set -euo pipefail
root=$1
work=$2
svg="$root/tools/assets/svg"
mkdir -p "$root/data/img/mainmenu" "$work"

rsvg-convert -w 64 -h 64 "$svg/craft.svg" -o "$root/data/velkors_icon.png"
rsvg-convert "$svg/mainmenu_contentholder.svg" -o "$root/data/img/mainmenu/MainMenu_contentholder.png"

rsvg-convert -w 96 -h 96 "$svg/craft.svg" -o "$work/craft_96.png"
rsvg-convert "$svg/mainmenu_logo.svg" -o "$work/mainmenu_logo.png"
rsvg-convert "$svg/mainmenu_divider.svg" -o "$work/mainmenu_divider.png"
