#!/usr/bin/env bash
# Renders the hicolor PNG icons from the scalable icon. Run it after changing the SVG and
# commit the PNGs; builds use the committed files. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

name=example.pixolan.Pixolan
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "$name-$size.png" "$name.svg"
done
