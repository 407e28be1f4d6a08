#!/usr/bin/env bash
# Times two builds of the program against each other and against cp on generated boards, the
# runs alternating (old, new, cp, old, new, cp, ...) so that a machine shared with other work
# slows all three alike. For each board and program: the median wall time and the median
# processor time (user + system) of RUNS runs (default 9), the wall time's ratio to cp's, the
# peak resident size over the file's size (one run through /usr/bin/time), and the median of
# the new program's wall time over the old one's, run by run.
#   bench/time_programs.sh OLD_PROGRAM NEW_PROGRAM [SIZES_MB...]
# The boards are made by silkora_make_board (built in BUILD_DIR, default build) with seed 1,
# default sizes 1 10 100.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 OLD_PROGRAM NEW_PROGRAM [SIZES_MB...]" >&2; exit 2; }
old=$(realpath "$1")
new=$(realpath "$2")
shift 2
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10 100)
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
cmake --build "$build" --target silkora_make_board >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in "${sizes[@]}"; do
  "$build/silkora_make_board" "$work/board_$size.krv" "$size" 1
done
RUNS=${RUNS:-9} python3 - "$old" "$new" "$work" "${sizes[@]}" <<'PY'
import os, statistics, subprocess, sys, time

old, new, work, sizes = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
runs = int(os.environ["RUNS"])

def run(command):
    """Wall and processor seconds of one command."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"failed: {command}")
    return wall, usage.ru_utime + usage.ru_stime

def peak_bytes(command):
    report = os.path.join(work, "peak.txt")
    subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report] + command, check=True,
                   stderr=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    with open(report) as f:
        return int(f.read().split()[-1]) * 1024

print(f"{'size_MB':>7} {'program':>4} {'wall_ms':>8} {'cpu_ms':>8} {'cp_ms':>7} {'ratio':>6} "
      f"{'peak/file':>9}")
for size in sizes:
    board = os.path.join(work, f"board_{size}.krv")
    copy = os.path.join(work, "copy.krv")
    with open(board, "rb") as f:  # in the page cache for all
        while f.read(1 << 24):
            pass
    walls = {old: [], new: []}
    cpus = {old: [], new: []}
    copies = []
    for _ in range(runs):
        for program in (old, new):
            wall, cpu = run([program, board])
            walls[program].append(wall)
            cpus[program].append(cpu)
        copies.append(run(["cp", board, copy])[0])
        os.remove(copy)
    file_bytes = os.path.getsize(board)
    cp = statistics.median(copies)
    for name, program in (("old", old), ("new", new)):
        wall = statistics.median(walls[program])
        print(f"{size:>7} {name:>4} {wall * 1e3:>8.1f} {statistics.median(cpus[program]) * 1e3:>8.1f} "
              f"{cp * 1e3:>7.1f} {wall / cp:>6.2f} {peak_bytes([program, board]) / file_bytes:>9.2f}")
    pairs = [n / o for n, o in zip(walls[new], walls[old])]
    print(f"{size:>7} new/old wall, median of the pairs: {statistics.median(pairs):.3f}")
PY
