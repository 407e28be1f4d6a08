#!/usr/bin/env bash
# Runs every command-line case below a folder and compares what the program did with what the
# case expects. A case is a folder holding:
#   cmd              the arguments, as shell words, given to the program ('...' and "..." quote
#                    a word with blanks; nothing is expanded)
#   input/           files copied into an empty scratch folder, where the program runs
#   setup.sh         optional: run in the scratch folder before the program (bash)
#   after.sh         optional: run in the scratch folder after the program (bash), to look at
#                    what it wrote; it fails the case by failing, and keeps its own files in
#                    $AFTER_TMP
#   expected_status  the exit status
#   expected_stderr  the standard error text; the elapsed time is masked as "Elapsed time: * Sec"
#   expected/        every file the run must create, byte for byte; no other file may appear and
#                    the input files must stay as they were
# Usage: run_cases.sh PROGRAM CASES_DIR [--update] [CASE...]
#   PROGRAM may be a wrapper that runs the program (tests/windows/wine_silkora.sh runs the
#   Windows program under Wine).
#   --update rewrites expected_stderr, expected_status and expected/ from what the program did
#   (read every change before committing it).
set -u
program=$(realpath "$1")
cases_dir=$(realpath "$2")
shift 2
update=0
if [ "${1:-}" = "--update" ]; then update=1; shift; fi

scratch_root=$(mktemp -d)
trap 'chmod -R u+w "$scratch_root" 2>/dev/null; rm -rf "$scratch_root"' EXIT

mask_time() { sed -E 's/^Elapsed time: [0-9]+\.[0-9]{3} Sec$/Elapsed time: * Sec/'; }

passed=0
failed=0
if [ $# -gt 0 ]; then
  list=("$@")
else
  mapfile -t list < <(cd "$cases_dir" && find . -mindepth 2 -name cmd -printf '%h\n' | sed 's|^\./||' | sort)
fi

for name in "${list[@]}"; do
  case_dir="$cases_dir/$name"
  work="$scratch_root/$name"
  mkdir -p "$work"
  if [ -d "$case_dir/input" ]; then cp -a "$case_dir/input/." "$work/"; fi
  (cd "$work" && find . -type f -o -type d | sort) > "$scratch_root/before.list"
  if [ -f "$case_dir/setup.sh" ]; then (cd "$work" && bash "$case_dir/setup.sh"); fi
  # Words as the shell quotes them ("my board.krv" is one), without globbing ("-?" stays).
  mapfile -t args < <(xargs -r printf '%s\n' < "$case_dir/cmd")
  (cd "$work" && timeout 20 "$program" "${args[@]}" 2> "$scratch_root/stderr" > "$scratch_root/stdout")
  status=$?
  mask_time < "$scratch_root/stderr" > "$scratch_root/stderr.masked"

  if [ $update -eq 1 ]; then
    cp "$scratch_root/stderr.masked" "$case_dir/expected_stderr"
    echo "$status" > "$case_dir/expected_status"
    rm -rf "$case_dir/expected"
    (cd "$work" && find . -type f | sort) | while read -r f; do
      if ! grep -qxF "$f" "$scratch_root/before.list"; then
        mkdir -p "$(dirname "$case_dir/expected/$f")"
        cp "$work/$f" "$case_dir/expected/$f"
      fi
    done
    echo "updated: $name"
    continue
  fi

  problems=()
  if [ -f "$case_dir/after.sh" ]; then
    after_tmp=$(mktemp -d -p "$scratch_root")
    after_out=$(cd "$work" && AFTER_TMP="$after_tmp" bash "$case_dir/after.sh" 2>&1) ||
      problems+=("after.sh failed: $after_out")
  fi
  [ "$status" = "$(cat "$case_dir/expected_status")" ] ||
    problems+=("exit status $status, expected $(cat "$case_dir/expected_status")")
  cmp -s "$scratch_root/stderr.masked" "$case_dir/expected_stderr" ||
    problems+=("stderr differs: $(diff "$case_dir/expected_stderr" "$scratch_root/stderr.masked" | head -n 20)")
  [ -s "$scratch_root/stdout" ] && problems+=("wrote to stdout")
  if [ -d "$case_dir/input" ]; then
    while read -r f; do
      cmp -s "$case_dir/input/$f" "$work/$f" || problems+=("input $f changed")
    done < <(cd "$case_dir/input" && find . -type f | sort)
  fi
  while read -r f; do
    if [ -f "$case_dir/expected/$f" ]; then
      cmp -s "$case_dir/expected/$f" "$work/$f" || problems+=("output $f differs: $(cmp "$case_dir/expected/$f" "$work/$f" 2>&1 | head -n 1)")
    elif ! grep -qxF "$f" "$scratch_root/before.list"; then
      problems+=("unexpected file $f")
    fi
  done < <(cd "$work" && find . -type f | sort)
  if [ -d "$case_dir/expected" ]; then
    while read -r f; do
      [ -f "$work/$f" ] || problems+=("missing output $f")
    done < <(cd "$case_dir/expected" && find . -type f | sort)
  fi

  if [ ${#problems[@]} -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    printf '    %s\n' "${problems[@]}"
  fi
done

if [ $update -eq 0 ]; then
  echo "$passed passed, $failed failed"
  [ $failed -eq 0 ]
fi
