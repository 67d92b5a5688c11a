#!/bin/sh
# Renders the SVG drawings into the PNGs the program ships, at 1x and 2x.
# Needs Debian's librsvg2-bin.
set -e
cd "$(dirname "$0")"
for name in help exit search options emptytmp crunch; do
    rsvg-convert -w 32 -h 32 "$name.svg" -o "$name.png"
    rsvg-convert -w 64 -h 64 "$name.svg" -o "$name@2x.png"
done
for name in right left delete done new cancel patterns exclude; do
    rsvg-convert -w 16 -h 16 "$name.svg" -o "$name.png"
    rsvg-convert -w 32 -h 32 "$name.svg" -o "$name@2x.png"
done
