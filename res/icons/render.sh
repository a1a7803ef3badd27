#!/usr/bin/env bash
# Renders the icon's PNG images from veldrun.svg; run after editing the SVG and commit the
# results. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48; do
    rsvg-convert --width "$size" --height "$size" veldrun.svg --output "veldrun-$size.png"
done
