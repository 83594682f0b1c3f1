#!/usr/bin/env bash
# Draws the example pictures of the README from the bundled samples.
#   examples/make_pictures.sh [QZ]   (QZ: the qz program, default build-run/tools/qz/qz)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
qz=${1:-$root/build-run/tools/qz/qz}
data=$root/examples/data
out=$root/examples/pictures
mkdir -p "$out"
"$qz" plot stereonet "$data/planes.txt" "$data/faults.txt" "$data/lines.csv" --net --fisher \
  --title "Bundled samples: planes, faults, lines" -o "$out/stereonet.png"
"$qz" plot stereonet "$data/faults.txt" --pt --planes poles -o "$out/stereonet_pt.png"
"$qz" plot stereonet "$data/fold.csv" --planes poles --contour kamb --filled --bestfit \
  --title "Made-up anticline: poles to bedding, Kamb contours" -o "$out/contours.png"
"$qz" plot rose "$data/fold.csv" --title "Made-up anticline: strikes of bedding" -o "$out/rose.png"
"$qz" plot tangent "$data/fold.csv" --title "Made-up anticline: dip vectors" -o "$out/tangent.png"
