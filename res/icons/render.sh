#!/usr/bin/env bash
# Renders the icon's PNG images: 16 and 32 pixels from the pictures drawn for those grids,
# 48 from the scalable veldrun.svg. Run after editing an SVG and commit the results.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32; do
    rsvg-convert --width "$size" --height "$size" "veldrun-$size.svg" --output "veldrun-$size.png"
done
rsvg-convert --width 48 --height 48 veldrun.svg --output veldrun-48.png
