#!/usr/bin/env bash
# Regenerates every generated asset under data/ from the sources in this
# folder (and the GUI skin's atlas from framework/cegui/skin). Deterministic:
# fixed seeds, so a run changes only what its sources changed.
#   tools/assets/make.sh            everything
#   tools/assets/make.sh images     one kind: gui, svg, images, music, maps, content, mapper, editor
# Needs the generator packages listed in tools/assets/packages.txt (not needed
# to build or play the game, only to regenerate).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
python=/usr/bin/python3  # Debian's, with Pillow and NumPy
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

kinds=("$@")
if [ ${#kinds[@]} -eq 0 ]; then kinds=(gui svg images music maps content mapper editor); fi

missing=()
for tool in rsvg-convert sox abc2midi mftext fluidsynth oggenc; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
$python -c "import PIL, numpy" 2>/dev/null || missing+=("python3-pil/python3-numpy")
if ((${#missing[@]})); then
  echo "[assets] missing: ${missing[*]}; install the packages of tools/assets/packages.txt" >&2
  exit 1
fi

for kind in "${kinds[@]}"; do
  case $kind in
    gui)
      echo "[assets] GUI skin atlas"
      $python "$root/framework/cegui/skin/make_gwen_png.py" "$root/data/gui/imagesets/GWEN.png"
      ;;
    svg)
      echo "[assets] SVG pictures and the MainMenu image collection"
      "$here/render_svg.sh" "$root" "$work/svg"
      $python "$here/images/mainmenu_imageset.py" "$work/svg" "$root/data/gui/imagesets"
      ;;
    images)
      echo "[assets] star-field layers"
      $python "$here/images/space_layers.py" "$root/data/img/mainmenu"
      ;;
    music)
      echo "[assets] music"
      pids=()
      while IFS='|' read -r score track; do
        [ -z "$score" ] || [ "${score:0:1}" = "#" ] && continue
        "$here/music/render_music.sh" "$here/music/$score" "$root/data/mus/$track" &
        pids+=($!)
      done <"$here/music/tracks.txt"
      for pid in "${pids[@]}"; do wait "$pid"; done  # a failed render stops the run
      $python "$here/music/measure_audio.py" "$root"/data/mus/*.ogg
      ;;
    maps)
      echo "[assets] maps"
      $python "$here/maps/make_maps.py" "$root/data/map"
      ;;
    content)
      echo "[assets] parts, flames, ships, level objects, play images and sounds"
      sh "$here/content.sh"
      ;;
    mapper)
      echo "[assets] map editor marker art"
      sh "$here/mapper/make.sh"
      ;;
    editor)
      echo "[assets] ship editor pictures, icons, help pictures and tab animations"
      $python "$here/editor/editor_images.py" "$root"
      ;;
    *)
      echo "[assets] unknown kind: $kind (gui, svg, images, music, maps, content, mapper, editor)" >&2
      exit 1
      ;;
  esac
done
