#!/usr/bin/env bash
# The check of a board agrees with the check of the board as written: generated boards are
# converted with -C (and arranged with -A, mirrored with -M), then the written board is checked
# again with -S -C. Both must report the same findings at the same points with the same summary.
# Names differ only in form: a designator the run made is a free text once the board is read
# again, reported as text "NAME" instead of NAME, so both reports are compared with the quotes
# taken away. Generated boards put designators a fraction of a nanometre apart, which the whole
# nanometres of the written file can turn into an overlap when the check does not work on them.
# Usage: check_agrees.sh PROGRAM MAKE_BOARD
set -u
program=$(realpath "$1")
make_board=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# The finding lines and the summary of a report, names without their text "..." form.
findings() {
  grep -E ' on (top|bottom) at |^    Silkscreen check: ' "$1" | sed -E 's/text "([^"]*)"/\1/g'
}

failed=0
for seed in 1 2 3; do
  for switches in "-C" "-A -C" "-M -A -C"; do
    rm -f g*
    "$make_board" g.krv 1 "$seed" || exit 1
    # shellcheck disable=SC2086
    "$program" $switches g.krv 2> run.txt || { echo "seed $seed $switches: run failed"; exit 1; }
    written=$(ls g_ref*.krv)
    "$program" -S -C "$written" 2> again.txt || { echo "seed $seed: check of $written failed"; exit 1; }
    if ! diff <(findings run.txt) <(findings again.txt) > diff.txt; then
      echo "seed $seed $switches: the check of $written differs from the run's:"
      head -n 20 diff.txt
      failed=1
    fi
  done
done
exit $failed
