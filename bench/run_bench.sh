#!/usr/bin/env bash
# Converts generated boards of several sizes and prints, for each: wall time, MB/s, peak memory
# and the ratio to copying the same file with cp, each the median of RUNS runs (default 5).
#   bench/run_bench.sh [BUILD_DIR] [SIZES_MB...]
# BUILD_DIR defaults to build (configured by `make`), the sizes to 1 10 100 200.
set -euo pipefail
build=${1:-build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 100 200)
cmake --build "$build" --target silkora silkora_make_board >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in "${sizes[@]}"; do
  "$build/silkora_make_board" "$work/board_$size.krv" "$size" 1
done
RUNS=${RUNS:-5} python3 - "$build/silkora" "$work" "${sizes[@]}" <<'PY'
import os, resource, statistics, subprocess, sys, time

program, work, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
runs = int(os.environ["RUNS"])

def run(command):
    """Wall seconds and peak resident MB of one command."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    start = time.perf_counter()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    # ru_maxrss of the children is the largest so far; the boards grow, so it is this one's.
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return wall, max(peak, before) / 1024

print(f"{'size_MB':>8} {'bytes':>11} {'wall_s':>8} {'MB/s':>7} {'peak_MB':>8} {'cp_s':>7} {'ratio':>6}")
for size in sizes:
    board = os.path.join(work, f"board_{size}.krv")
    with open(board, "rb") as f:  # in the page cache for both
        while f.read(1 << 24):
            pass
    walls, peaks, copies = [], [], []
    for _ in range(runs):
        wall, peak = run([program, board])
        walls.append(wall)
        peaks.append(peak)
        copies.append(run(["cp", board, os.path.join(work, "copy.krv")])[0])
        os.remove(os.path.join(work, "copy.krv"))
    size_bytes = os.path.getsize(board)
    wall, copy = statistics.median(walls), statistics.median(copies)
    print(f"{size:>8} {size_bytes:>11} {wall:>8.3f} {size_bytes / 1e6 / wall:>7.1f} "
          f"{statistics.median(peaks):>8.1f} {copy:>7.3f} {wall / copy:>6.2f}")
PY
