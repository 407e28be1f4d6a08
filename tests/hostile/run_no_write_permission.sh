#!/usr/bin/env bash
# An output folder without write permission: the program must stop with error 20043, say
# "  reason: permission denied" on the next line and leave the folder as it was (no output, no
# temporary file). A board without read permission stops with 13188 and the same reason. Root
# ignores permissions, so as root the program is run as the unprivileged user 65534 through
# setpriv, from a copy in a world-readable temporary folder; a second run of that user into a
# writable folder shows the first failed for the permission and nothing else. Without root and
# without setpriv the case cannot be made and is skipped (exit status 77).
# Usage: run_no_write_permission.sh PROGRAM [RUNNER...]
#   RUNNER runs the copied program, for the Windows one under Wine:
#   run_no_write_permission.sh build-windows/silkora.exe /usr/lib/wine/wine64
#   (it gets a home of its own in the temporary folder, where Wine keeps its prefix).
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
shift
runner=("$@")
copy=silkora
[[ $program == *.exe ]] && copy=silkora.exe

as_user=()
if [ "$(id -u)" = 0 ]; then
  if ! command -v setpriv > /dev/null; then
    echo "SKIP: running as root and setpriv (util-linux) is not available"
    exit 77
  fi
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$program" "$work/$copy"
chmod 755 "$work/$copy"
mkdir "$work/home"
[ "$(id -u)" = 0 ] && chown 65534:65534 "$work/home"
run() { (cd "$work" && "${as_user[@]}" env HOME="$work/home" "${runner[@]}" "./$copy" "$@" > stdout 2> stderr); }
mkdir "$work/locked" "$work/open"
cp "$here/board.krv" "$work/locked/board.krv"
cp "$here/board.krv" "$work/open/board.krv"
chmod 644 "$work/locked/board.krv" "$work/open/board.krv"
echo "older file" > "$work/locked/board_ref.krv"
chmod 644 "$work/locked/board_ref.krv"
chmod 555 "$work/locked"
chmod 777 "$work/open"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

before=$(ls -A "$work/locked")
run locked/board.krv
status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
# The error line, then the system's reason where a location line would stand.
expect_error() {
  [ "$(grep -A1 -xF "$1" "$work/stderr")" = "$1"$'\n'"$2" ] ||
    fail "stderr: $(grep -A1 '^Error' "$work/stderr" | tr '\n' '|')"
}
expect_error 'Error 20043: unable to open locked/board_ref.krv for output' '  reason: permission denied'
[ "$(ls -A "$work/locked")" = "$before" ] || fail "the folder changed: $(ls -A "$work/locked" | tr '\n' ' ')"
[ "$(cat "$work/locked/board_ref.krv")" = "older file" ] || fail "the older output file changed"

# The same user, the same program, a folder it may write to: the board is written.
run open/board.krv
status=$?
[ "$status" = 0 ] || fail "writable folder: exit status $status: $(grep -m1 '^Error' "$work/stderr")"
[ -s "$work/open/board_ref.krv" ] || fail "writable folder: no output written"

# A board the user may not read.
cp "$here/board.krv" "$work/open/unreadable.krv"
chmod 200 "$work/open/unreadable.krv"
[ "$(id -u)" = 0 ] && chown 65534:65534 "$work/open/unreadable.krv"
run open/unreadable.krv
status=$?
[ "$status" = 1 ] || fail "unreadable board: exit status $status, expected 1"
expect_error 'Error 13188: Unable to open open/unreadable.krv for input' '  reason: permission denied'

if [ "$failures" -eq 0 ]; then
  echo "no write permission: 20043, folder unchanged; no read permission: 13188; both" \
    "\"permission denied\" (as ${as_user[*]:-$(id -un)})"
fi
[ "$failures" -eq 0 ]
