#!/usr/bin/env bash
# Draws the picture target's seeds with the blade renderer: the sample propeller, tiny, in
# each format the loader reads, then each view again by fuzz_seeds (built by the fuzz preset)
# as progressive JPEG, interlaced PNG and GIF, tiled and compressed TIFF, WebP, PNM and
# run-length bitmap. The options target's seeds are plain text files.
#   fuzz/make_corpus.sh [path to bladetrace-render] [path to fuzz_seeds]
set -euo pipefail
here=$(dirname "$0")
render=${1:-$here/../build/dev/bin/bladetrace-render}
seeds=${2:-$here/../build/fuzz/fuzz/fuzz_seeds}
out=$here/corpus/picture
mkdir -p "$out"
for ext in bmp png jpg tif; do
    "$render" --blade "$here/../resources/samples/pylon_blade.txt" --diameter 0.185 --ppm 260 \
        --hub-radius 0.0085 --margin 2 --top "$out/top.$ext" --side "$out/side.$ext" >/dev/null
done
for view in top side; do
    QT_QPA_PLATFORM=offscreen "$seeds" "$out/$view.bmp" "$out/$view"
done
