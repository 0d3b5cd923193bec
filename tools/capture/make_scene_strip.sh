#!/usr/bin/env bash
# The README's strip of the seven scenes, made by capture from the
# production itself: docs/scenes.png.
#   tools/capture/make_scene_strip.sh [BUILD_DIR]     (default: build)
# Run from anywhere; needs ImageMagick's montage.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
cd "$root"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# One moment a scene (seconds): makers' line, title, lesson, animals,
# phrases, greetings, finale's closing part.
moments=(5 10 18 25 50 75 117.5)
args=()
for t in "${moments[@]}"; do args+=(--frame-at "$t"); done
"$build/capture" --size 1280x960 --png-dir "$work" "${args[@]}"

mkdir -p docs
montage "$work"/*.png -tile 7x1 -geometry 320x240+3+3 -background black -depth 8 \
  -strip -define png:compression-level=9 PNG24:docs/scenes.png
echo "wrote docs/scenes.png" >&2
