#!/usr/bin/env bash
# Renders the icon's PNG sizes from druno.svg (needs rsvg-convert, from librsvg2-bin).
# The PNGs are committed, so a build never needs the renderer; run this after changing the SVG.
# The 16 and 32 pixel icons are the game's own art in res/images and are not rendered.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for size in 22 24 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" "$here/druno.svg" --output "$here/druno$size.png"
done
