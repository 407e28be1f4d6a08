#!/usr/bin/env bash
# A disk without room and a read-only file system: the program must stop with error 20043, say
# why on the next line ("  reason: disk full", "  reason: read-only file system") and leave the
# folder as it was (no output, no temporary file). The disk is a 16 kB tmpfs, which only root
# may mount; elsewhere the case cannot be made and is skipped (exit status 77).
# Usage: run_full_disk.sh PROGRAM [RUNNER...]
#   RUNNER runs the program, for the Windows one under Wine:
#   run_full_disk.sh build-windows/silkora.exe env WINEDEBUG=-all /usr/lib/wine/wine64
#   Wine reports a read-only file system as "access denied", so with a RUNNER only the full
#   disk is checked.
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
shift
runner=("$@")

disk=$(mktemp -d)
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o size=16k,mode=0777 tmpfs "$disk" 2> /dev/null; then
  rmdir "$disk"
  echo "SKIP: a small file system cannot be mounted here"
  exit 77
fi
out=$(mktemp -d)
trap 'umount "$disk"; rmdir "$disk"; rm -rf "$out"' EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs the program on the board in the small disk and checks the error, its reason and that
# nothing was left behind.
expect_refused() {
  (cd "$out" && "${runner[@]}" "$program" "$disk/board.krv" > stdout 2> stderr)
  local status=$? error="Error 20043: unable to open $disk/board_ref.krv for output"
  [ "$status" = 1 ] || fail "$1: exit status $status, expected 1"
  [ "$(grep -A1 -xF "$error" "$out/stderr")" = "$error"$'\n'"  reason: $1" ] ||
    fail "$1: stderr: $(grep -A1 '^Error' "$out/stderr" | tr '\n' '|')"
  [ "$(ls -A "$disk")" = board.krv ] || fail "$1: the disk holds $(ls -A "$disk" | tr '\n' ' ')"
}

# The example board (10 kB) fits; its converted copy does not.
cp "$here/../../examples/motor_driver.krv" "$disk/board.krv"
expect_refused "disk full"
checked="disk full"
if [ ${#runner[@]} -eq 0 ]; then
  mount -o remount,ro "$disk"
  expect_refused "read-only file system"
  checked="$checked, read-only file system"
fi

[ "$failures" -eq 0 ] && echo "20043 with its reason, nothing left behind: $checked"
[ "$failures" -eq 0 ]
