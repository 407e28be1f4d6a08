#!/usr/bin/env bash
# A disk that cannot write (fsync fails, through the preloaded failing_fsync library): the board
# or picture is not written, the run ends with the output error, the folder is left as it was and
# an older output keeps its content. A folder that cannot be synced after the rename changes
# nothing: the rename is done and the board is there.
# Usage: run_failed_fsync.sh PROGRAM FAILING_FSYNC_LIBRARY
set -u
here=$(cd "$(dirname "$0")" && pwd)
program=$(realpath "$1")
library=$(realpath "$2")
# A sanitizer runtime would otherwise insist on being loaded ahead of the preloaded library.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# One run in a fresh folder that holds the board and an older output of each kind.
# Arguments: what fails, expected status, expected error line ("" for none), switches...
run_case() {
  local fails=$1 status_wanted=$2 error=$3
  shift 3
  rm -rf "$work/run"
  mkdir "$work/run"
  cp "$here/board.krv" "$work/run/board.krv"
  echo "older board" > "$work/run/board_ref.krv"
  echo "older picture" > "$work/run/board_check.svg"
  local before
  before=$(ls -A "$work/run")
  (cd "$work/run" && SILKORA_FAIL_FSYNC=$fails LD_PRELOAD="$library" "$program" "$@" board.krv \
    > "$work/stdout" 2> "$work/stderr")
  local status=$?
  local what="$fails failing, ${*:-no switches}"
  [ "$status" = "$status_wanted" ] || fail "$what: exit status $status, expected $status_wanted"
  if [ -n "$error" ]; then
    grep -qxF "$error" "$work/stderr" || fail "$what: stderr: $(grep -m1 '^Error' "$work/stderr")"
    [ "$(ls -A "$work/run")" = "$before" ] ||
      fail "$what: the folder changed: $(ls -A "$work/run" | tr '\n' ' ')"
    [ "$(cat "$work/run/board_ref.krv")" = "older board" ] || fail "$what: the older board changed"
    [ "$(cat "$work/run/board_check.svg")" = "older picture" ] ||
      fail "$what: the older picture changed"
  else
    [ "$(ls -A "$work/run")" = "$before" ] ||
      fail "$what: files other than the outputs: $(ls -A "$work/run" | tr '\n' ' ')"
    grep -q '^\[end\]' "$work/run/board_ref.krv" || fail "$what: the board was not written"
  fi
}

run_case files 1 'Error 20043: unable to open board_ref.krv for output'
run_case files 1 'Error 40043: unable to open board_check.svg for output' -S -C
run_case folders 0 ''

if [ "$failures" -eq 0 ]; then
  echo "failed fsync: 20043 and 40043, folder unchanged; a folder that cannot be synced: written"
fi
[ "$failures" -eq 0 ]
