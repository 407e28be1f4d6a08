#!/usr/bin/env bash
# Used by the cases' after.sh: each SVG named must be well-formed XML (xmllint) and render to a
# PNG (rsvg-convert) of the size the SVG states. The PNGs go to $AFTER_TMP.
set -euo pipefail
for svg in "$@"; do
  xmllint --noout "$svg"
  png="$AFTER_TMP/$(basename "$svg" .svg).png"
  rsvg-convert -o "$png" "$svg"
  # The PNG signature, then the width and height of its header.
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ]
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  stated=$(sed -n 's/.*<svg [^>]*width="\([0-9.]*\)" height="\([0-9.]*\)".*/\1 \2/p' "$svg" |
    awk '{printf "%d %d", $1 + 0.999, $2 + 0.999}')
  [ "$size" = "$stated" ] || { echo "$svg: PNG $size, SVG states $stated"; exit 1; }
done
