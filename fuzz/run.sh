#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each on its corpus for
# SECONDS (default 30).  Any finding (a crash, a sanitizer report, a broken
# round trip, a timeout or running out of memory) fails the run; its input
# is left in the build directory (crash-*, timeout-*, oom-*).
#   fuzz/run.sh [SECONDS] [TARGET...]
# QZ_FUZZ_BUILD names the build directory (default build-fuzz).
set -euo pipefail
seconds=${1:-30}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QZ_FUZZ_BUILD:-$root/build-fuzz}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(value_parser text_import outside_formats binary_reader round_trip)
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQZCORE_FUZZ=ON -DQZCORE_BUILD_TESTS=OFF -DQZCORE_BUILD_TOOLS=OFF >/dev/null
cmake --build "$build"

# Seed corpora from the bundled samples and the field-file shapes of
# fuzz/seeds (title rows, CR line ends, senses of other tools, structure
# names in a Type column, numbers in exponent form).
samples=$root/examples/data
seeds=$build/seeds
rm -rf "$seeds"
for t in "${targets[@]}"; do mkdir -p "$seeds/$t" "$build/corpus/$t"; done
for f in "$samples"/* "$root"/fuzz/seeds/*; do
  name=$(basename "$f")
  [ -d "$seeds/round_trip" ] && cp "$f" "$seeds/round_trip/$name"
  if [ -d "$seeds/value_parser" ]; then
    # Each line's fields as the NUL-separated texts the target takes.
    n=0
    while IFS= read -r line && [ $n -lt 20 ]; do
      printf '%s' "$line" | tr '\t, ' '\000\000\000' > "$seeds/value_parser/$name.$n"
      n=$((n + 1))
    done < "$f"
  fi
  if [ -d "$seeds/text_import" ]; then
    for c in 0 3 7 40 68 130; do
      { printf "\\$(printf '%03o' $c)"; cat "$f"; } > "$seeds/text_import/$name.$c"
    done
  fi
  if [ -d "$seeds/outside_formats" ]; then
    for c in 0 1 2; do
      { printf "\\$(printf '%03o' $c)"; cat "$f"; } > "$seeds/outside_formats/$name.$c"
    done
  fi
done
if [ -d "$seeds/binary_reader" ]; then
  "$build/fuzz/fuzz_binary_seeds" "$samples"/*.txt "$samples"/*.csv "$seeds/binary_reader"
fi

status=0
for t in "${targets[@]}"; do
  log=$build/fuzz_$t.log
  set +e
  (cd "$build" && "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 "$build/corpus/$t" "$seeds/$t" >"$log" 2>&1)
  rc=$?
  set -e
  runs=$(grep -Eo "stat::number_of_executed_units: *[0-9]+" "$log" | grep -Eo "[0-9]+$" || echo "?")
  if [ $rc -ne 0 ]; then
    echo "fuzz_$t: FINDING after $runs runs (exit $rc); the last lines of $log:"
    tail -40 "$log"
    status=1
  else
    echo "fuzz_$t: $runs runs in $seconds s, no finding"
  fi
done
exit $status
