#!/usr/bin/env bash
# Draws the README's gallery from the bundled samples: qz's pictures, and a
# matplotlib figure through the Python module.
#   examples/make_pictures.sh [BUILD]   (BUILD: a build folder with tools/qz/qz and,
#                                        for the matplotlib figure, python/; default build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
qz=$build/tools/qz/qz
data=$root/examples/data
out=$root/examples/pictures
mkdir -p "$out"
"$qz" plot stereonet "$data/fold.csv" --planes poles --contour kamb --filled --fisher --bestfit --mark-max \
  --title "Made-up anticline: poles to bedding, Kamb contours" -o "$out/contours.png"
"$qz" plot stereonet "$data/planes.txt" "$data/lines.csv" --projection equal-angle --hemisphere upper --net \
  --title "Bedding and lineations: equal angle, upper hemisphere" -o "$out/upper_equal_angle.png"
"$qz" plot stereonet "$data/faults.txt" --pt --title "Faults with slip arrows, P and T axes" -o "$out/faults_pt.png"
"$qz" plot rose "$data/fold.csv" --title "Made-up anticline: strikes of bedding" -o "$out/rose.png"
"$qz" plot tangent "$data/fold.csv" --title "Made-up anticline: dip vectors" -o "$out/tangent.png"
"$qz" plot stereonet "$data/slope_planes.csv" --planes poles --kinematic planar --slope 270/75 --friction 35 \
  --title "Planar sliding on a face 270/75, friction 35" -o "$out/kinematic_planar.png"
"$qz" plot stereonet "$data/slope_planes.csv" --kinematic wedge --slope 270/75 --friction 35 --cone 0/90/10 \
  --title "Wedge sliding zones over the planes" -o "$out/kinematic_wedge.png"
sets=$(mktemp --suffix=.gdf)
"$qz" analyse sets --sets 3 "$data/slope_planes.csv" --write-sets "$sets" >/dev/null 2>&1
"$qz" plot stereonet "$sets" --planes poles --colour-by set --title "Three joint sets (k-means)" -o "$out/sets.png"
rm -f "$sets"
"$qz" plot fabric --kind woodcock "$data/fold.csv" "$data/slope_planes.csv" "$data/planes.txt" \
  --title "Woodcock diagram" -o "$out/woodcock.png" >/dev/null
"$qz" plot fabric --kind vollmer "$data/fold.csv" "$data/slope_planes.csv" "$data/planes.txt" \
  --title "Vollmer triangle" -o "$out/vollmer.png" >/dev/null
kam=$root/tests/fielddata/kamogawa-faults.csv
"$qz" plot stereonet "$kam" --stress --bootstrap 500 --colour-by misfit \
  --title "Kamogawa faults: stress, bootstrap, misfits" -o "$out/stress.png" >/dev/null 2>&1
"$qz" plot stereonet "$kam" --dihedra --planes poles --no-slip-arrows \
  --title "Kamogawa faults: right dihedra" -o "$out/dihedra.png" >/dev/null 2>&1
"$qz" plot mohr "$kam" --title "Kamogawa faults: Mohr diagram" -o "$out/mohr.png" >/dev/null 2>&1
"$qz" plot misfits "$kam" --max-misfit 40 --title "Misfits, faults over 40 degrees left out" \
  -o "$out/misfits.png" >/dev/null 2>&1
if [ -d "$build/python" ]; then
  PYTHONPATH="$build/python" /usr/bin/python3 "$root/examples/python/gallery_matplotlib.py" "$data" "$out/matplotlib.png"
else
  echo "no $build/python: the matplotlib figure is not drawn" >&2
fi
