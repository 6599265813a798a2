#!/bin/sh
# Renders the PNG icons of packaging/icons/ from packaging/quillon.svg, for desktops that
# want a bitmap of a given size. The PNGs are committed, so a build needs no SVG renderer;
# run this after changing the SVG (it needs rsvg-convert, Debian's librsvg2-bin).
set -eu
here=$(dirname "$0")
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$here/quillon.svg" -o "$here/icons/quillon-$size.png"
done
