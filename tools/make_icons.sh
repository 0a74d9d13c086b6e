#!/usr/bin/env bash
# Renders the program icon's PNG sizes from its SVG into the hicolor layout under
# packaging/icons/. The PNGs are committed, so a build needs no SVG renderer; run this
# again after changing the SVG (needs rsvg-convert, package librsvg2-bin).
set -euo pipefail
icons=$(cd "$(dirname "$0")/../packaging/icons" && pwd)
for size in 16 32 48 64 128 256; do
  dir=$icons/hicolor/${size}x${size}/apps
  mkdir -p "$dir"
  rsvg-convert --width "$size" --height "$size" "$icons/cloze-trainer.svg" --output "$dir/cloze-trainer.png"
done
echo "rendered $(find "$icons/hicolor" -name '*.png' | wc -l) PNGs under $icons/hicolor"
