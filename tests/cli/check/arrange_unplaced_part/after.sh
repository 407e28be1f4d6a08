# The unplaced part changes nothing of the arranging: the written board is the one the board
# without it gives, but for the part's own record, and the picture is the same.
set -eu
without=$(dirname "${BASH_SOURCE[0]}")/../arrange_example/expected
cmp motor_driver_ref.svg "$without/motor_driver_ref.svg"
diff <(tr -d '\r' < "$without/motor_driver_ref.krv") <(tr -d '\r' < motor_driver_ref.krv) |
  grep '^[<>]' > "$AFTER_TMP/diff" || true
printf '%s\n' '> part: X0' '>   ref_text: ' '>   package: "PanelMount"' '>   shape: ' \
  '>   pos: 0 0 0 0 0' '> ' | diff - "$AFTER_TMP/diff"
