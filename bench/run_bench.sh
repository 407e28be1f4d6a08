#!/usr/bin/env bash
# Converts generated boards of several sizes and prints, for each: wall time, MB/s, peak memory
# and the ratio to copying the same file with cp, each the median of RUNS runs.
#   bench/run_bench.sh [BUILD_DIR] [SIZES_MB...]
# BUILD_DIR defaults to build (configured by `make`), the sizes to 1 10 100 200.
set -euo pipefail
build=${1:-build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 100 200)
runs=${RUNS:-5}
cmake --build "$build" --target silkora silkora_make_board >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
# Wall seconds and peak resident kB of one command.
measure() { /usr/bin/time -f '%e %M' "$@" 2>&1 >/dev/null | tail -n 1; }
now() { date +%s.%N; }

printf '%8s %10s %10s %9s %10s %10s %8s\n' size_MB bytes wall_s MB/s peak_MB cp_s ratio
for size in "${sizes[@]}"; do
  board="$work/board_$size.krv"
  "$build/silkora_make_board" "$board" "$size" 1
  bytes=$(stat -c %s "$board")
  cat "$board" >/dev/null  # in the page cache for both
  walls=() peaks=() copies=()
  for _ in $(seq "$runs"); do
    rm -f "$work/board_${size}_ref.krv"
    start=$(now)
    read -r _ peak < <(measure "$build/silkora" "$board")
    end=$(now)
    walls+=("$(echo "$end - $start" | bc -l)")
    peaks+=("$peak")
    start=$(now)
    cp "$board" "$work/copy.krv"
    end=$(now)
    copies+=("$(echo "$end - $start" | bc -l)")
    rm -f "$work/copy.krv"
  done
  wall=$(printf '%s\n' "${walls[@]}" | median)
  peak=$(printf '%s\n' "${peaks[@]}" | median)
  copy=$(printf '%s\n' "${copies[@]}" | median)
  printf '%8s %10d %10.3f %9.1f %10.1f %10.3f %8.2f\n' "$size" "$bytes" "$wall" \
    "$(echo "$bytes / 1000000 / $wall" | bc -l)" "$(echo "$peak / 1024" | bc -l)" "$copy" \
    "$(echo "$wall / $copy" | bc -l)"
done
