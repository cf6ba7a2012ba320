#!/usr/bin/env bash
# Renders the PNG sizes of Heliomark's icon from its SVG, for the desktop's icon theme and the
# window icon. The PNGs are committed; run this after changing the SVG.
# Usage: tools/make_icons.sh [output-root, default resources/icons]   (needs rsvg-convert: librsvg2-bin)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/resources/icons"}
id=org.heliomark.Heliomark
svg="$root/resources/icons/hicolor/scalable/apps/$id.svg"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$out/hicolor/${size}x${size}/apps"
    rsvg-convert --width "$size" --height "$size" --format png "$svg" -o "$out/hicolor/${size}x${size}/apps/$id.png"
done
