#!/usr/bin/env bash
# Renders the program icon's PNG sizes from packaging/icons/lotmark.svg (run after editing the SVG;
# the PNGs are checked in so that a build needs no SVG renderer).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
command -v rsvg-convert >/dev/null || bash ../../tools/setup-packaging.sh
for size in 16 24 32 48 64 128 256; do
    mkdir -p "png/$size"
    rsvg-convert -w "$size" -h "$size" lotmark.svg -o "png/$size/lotmark.png"
done
