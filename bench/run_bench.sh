#!/usr/bin/env bash
# Converts generated boards of several sizes and prints, for each: wall time, MB/s, peak memory
# (one run through /usr/bin/time) and the ratio to copying the same file with cp, the times each
# the median of RUNS runs (default 5).
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
import os, statistics, subprocess, sys, time

program, work, sizes = sys.argv[1], sys.argv[2], sys.argv[3:]
runs = int(os.environ["RUNS"])

def run(command):
    """Wall seconds of one command."""
    start = time.perf_counter()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start

def peak_mb(command):
    """Peak resident MB of one command, through /usr/bin/time: a child forked from this script
    would count the script's own memory from before it started the program."""
    report = os.path.join(work, "peak.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, check=True,
                   stderr=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    with open(report) as f:
        return int(f.read().split()[-1]) / 1024

print(f"{'size_MB':>8} {'bytes':>11} {'wall_s':>8} {'MB/s':>7} {'peak_MB':>8} {'cp_s':>7} {'ratio':>6}")
for size in sizes:
    board = os.path.join(work, f"board_{size}.krv")
    with open(board, "rb") as f:  # in the page cache for both
        while f.read(1 << 24):
            pass
    walls, copies = [], []
    for _ in range(runs):
        walls.append(run([program, board]))
        copies.append(run(["cp", board, os.path.join(work, "copy.krv")]))
        os.remove(os.path.join(work, "copy.krv"))
    peak = peak_mb([program, board])
    size_bytes = os.path.getsize(board)
    wall, copy = statistics.median(walls), statistics.median(copies)
    print(f"{size:>8} {size_bytes:>11} {wall:>8.3f} {size_bytes / 1e6 / wall:>7.1f} "
          f"{peak:>8.1f} {copy:>7.3f} {wall / copy:>6.2f}")
PY
