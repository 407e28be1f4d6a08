#!/usr/bin/env bash
# Builds a seed corpus for the board fuzz target: every board file of the command-line cases
# and the examples, once per switch byte. The switch byte's bits are 1 debug (-D), 2 mirror
# (-M), 4 skip conversion (-S), 8 hide by visibility (-V), 16 silkscreen check (-C), 32 arrange
# (-A).
# Usage: fuzz/make_corpus.sh [OUT_DIR]   (default: fuzz/corpus, which is not committed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/fuzz/corpus}
mkdir -p "$out"
n=0
while IFS= read -r -d '' f; do
  base=$(basename "$f" .krv | cut -c1-40)
  for sw in 0 2 4 6 9 11 16 48 50 52; do
    name="$out/$(printf '%02x' "$sw")_${base}_$(sha1sum "$f" | cut -c1-8)"
    { printf "\\x$(printf '%02x' "$sw")"; cat "$f"; } > "$name"
    n=$((n + 1))
  done
done < <(find "$root/tests/cli" "$root/examples" -type f -name '*.krv' -path '*/input/*' -print0 2>/dev/null;
         find "$root/examples" -name '*.krv' -print0 2>/dev/null)
echo "$n seed files in $out"
