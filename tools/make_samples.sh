#!/usr/bin/env bash
# Rebuilds the raster sample pictures in samples/ (needs qt6-base-dev,
# fonts-noto-color-emoji and ImageMagick). The WMF samples come from
# the make_wmf_samples tool of the build.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/samples"
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
g++ -std=c++20 -fPIC -O1 "$here/tools/make_samples.cpp" -o "$bin/make_samples" \
    $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$bin/make_samples" "$out"
for png in "$out"/*.gif-src.png; do
    [ -e "$png" ] || continue
    convert "$png" -colors 128 "${png%.gif-src.png}.gif"
    rm -f "$png"
done
ls "$out" | wc -l
