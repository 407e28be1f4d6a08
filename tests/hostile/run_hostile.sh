#!/usr/bin/env bash
# Tiny hostile board files: one for every count a board file carries, each claiming about
# 4 000 000 000 entries that the file does not hold. Every one must end with the numbered error
# that running out of those records gives (never an allocation failure), quickly and in little
# memory: within 1 second and a peak of 64 MB, measured with /usr/bin/time on the real program.
# Counts that size nothing (grid items have no count at all, layer lines stop at 64, footprints,
# polyline corners, parts and nets are counted from the lines present) get the file that comes
# closest: their records running off the end of the file or past the list's limit. Many short
# outline and cutout lists, each declaring nearly as many corners as the file has lines, must
# fail as fast. Last, a write that fails after megabytes went to the temporary file must leave
# no file behind and an older output untouched.
#
# Usage: run_hostile.sh PROGRAM
# With SILKORA_SANITIZED=1 (a sanitizer build) the error codes are still checked but the time
# and memory limits are not, since the sanitizers make both meaningless.
set -u
program=$(realpath "$1")
sanitized=${SILKORA_SANITIZED:-0}
max_seconds=1.0
max_kb=65536
time_cmd=/usr/bin/time
if [ "$sanitized" != 1 ] && [ ! -x "$time_cmd" ]; then
  echo "run_hostile.sh: $time_cmd is needed to measure time and memory" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

big=4000000000

# The sections of a small complete board. Each case replaces one of them through the variable
# of the same name; every line is written with CR LF as the editor does.
default_options() {
  cat <<EOF
[options]

file_version: 1.344
units: MIL

visible_grid_spacing: 2540000.000000
  visible_grid_item: 100

n_width_menu: 1
  width_menu_item: 1 254000 711200 381000

n_copper_layers: 2
$(layer_lines 14)
EOF
}
layer_names=("selection" "background" "visible grid" "highlight" "DRE" "board outline"
  "top silk" "bottom silk" "top sm cutout" "bot sm cutout" "thru pad" "top notes"
  "top copper" "bottom copper")
layer_lines() {
  local k name
  for ((k = 0; k < $1; k++)); do
    name=${layer_names[k]:-inner $((k - 13))}
    echo "  layer_info: \"$name\" $k 0 0 0 1"
  done
}
default_footprints() {
  cat <<EOF
[footprints]

name: "R0603"
  units: NM
  sel_rect: -1000000 -500000 1000000 500000
  ref_text: 635000 0 800000 0 127000
  outline_polyline: 127000 -1000000 -500000
    next_corner: 1000000 -500000 0
    next_corner: 1000000 500000 0
    close_polyline: 0
  n_pins: 2
    pin: "1" 0 -750000 0 0
      top_pad: 1 800000 400000 400000 0
    pin: "2" 0 750000 0 0
      top_pad: 1 800000 400000 400000 0
EOF
}
default_board() {
  cat <<EOF
[board]

outline: 4 0
  corner: 1 0 0 0
  corner: 2 50800000 0 0
  corner: 3 50800000 38100000 0
  corner: 4 0 38100000 0
EOF
}
default_cutouts() {
  cat <<EOF
[solder_mask_cutouts]

sm_cutout: 4 0 8
  corner: 1 5080000 5080000 0
  corner: 2 10160000 5080000 0
  corner: 3 10160000 10160000 0
  corner: 4 5080000 10160000 1
EOF
}
default_parts() {
  cat <<EOF
[parts]

part: R1
  ref_text: 635000 127000 0 0 800000 1
  package: "0603"
  shape: "R0603"
  pos: 10160000 10160000 0 0 0

part: R2
  ref_text: 635000 127000 0 0 800000 1
  package: "0603"
  shape: "R0603"
  pos: 20320000 10160000 1 90 0
EOF
}
# A net with two pins, one connection of two segments and one copper area; the four counts
# and the connection's segment count and the area's corner count can be replaced.
net_lines() {
  local n_pins=${1:-2} n_connects=${2:-1} n_areas=${3:-1} n_segs=${4:-2} n_corners=${5:-4}
  cat <<EOF
net: "N1" $n_pins $n_connects $n_areas 254000 711200 381000 1
  pin: 1 R1.1
  pin: 2 R2.2
  connect: 1 0 1 $n_segs 0
    vtx: 1 10160000 9410000 12 0 0 0 0
    seg: 1 12 254000 0 0
    vtx: 2 15000000 9410000 12 0 0 0 0
    seg: 2 12 254000 0 0
    vtx: 3 20320000 10910000 12 0 0 0 0
  area: 1 $n_corners 12 0
    corner: 1 1270000 1270000 0 0
    corner: 2 49530000 1270000 0 0
    corner: 3 49530000 36830000 0 0
    corner: 4 1270000 36830000 0 1
EOF
}
default_nets() {
  printf '[nets]\n\n'
  net_lines "$@"
}
tail_sections() {
  cat <<EOF
[texts]

text: "HOSTILE" 2540000 35560000 6 0 0 1270000 127000 0

[end]
EOF
}

# Writes board.krv in the folder $1 from the section variables (unset ones take the default).
write_board() {
  {
    if [ -n "${options+x}" ]; then echo "$options"; else default_options; fi
    echo
    if [ -n "${footprints+x}" ]; then echo "$footprints"; else default_footprints; fi
    echo
    if [ -n "${board+x}" ]; then echo "$board"; else default_board; fi
    echo
    if [ -n "${cutouts+x}" ]; then echo "$cutouts"; else default_cutouts; fi
    echo
    if [ -n "${parts+x}" ]; then echo "$parts"; else default_parts; fi
    echo
    if [ -n "${nets+x}" ]; then echo "$nets"; else default_nets; fi
    echo
    if [ -n "${rest+x}" ]; then echo "$rest"; else tail_sections; fi
  } | sed 's/$/\r/' > "$1/board.krv"
}

# Options cut off right after the given lines: the file ends there.
options_only() {
  printf '%s\n' "$@" | sed 's/$/\r/'
}

passed=0
failed=0
printf '%-34s %-7s %-7s %6s %8s  %s\n' case expect got seconds peak_kB result

# run_case NAME EXPECTED_CODE: runs the program on the board.krv prepared in $work/NAME.
run_case() {
  local name=$1 expected=$2 dir=$work/$1 seconds='-' kb='-' problems=()
  if [ -x "$time_cmd" ]; then
    (cd "$dir" && "$time_cmd" -o "$dir/time.txt" -f '%e %M' "$program" board.krv \
      > "$dir/stdout" 2> "$dir/stderr")
  else
    (cd "$dir" && "$program" board.krv > "$dir/stdout" 2> "$dir/stderr")
  fi
  local status=$?
  if [ -s "$dir/time.txt" ]; then read -r seconds kb < <(tail -n 1 "$dir/time.txt"); fi
  local got
  got=$(sed -n 's/^Error \([0-9]*\):.*/\1/p' "$dir/stderr" | head -n 1)
  [ "$status" = 1 ] || problems+=("exit status $status")
  [ "$got" = "$expected" ] || problems+=("error ${got:-none}: $(grep -m1 '^Error' "$dir/stderr")")
  if ls "$dir" | grep -q '_ref\|tmp'; then problems+=("left a file: $(ls "$dir" | tr '\n' ' ')"); fi
  if [ "$sanitized" != 1 ]; then
    awk -v s="$seconds" -v m="$max_seconds" 'BEGIN { exit !(s + 0 <= m + 0) }' ||
      problems+=("took $seconds s")
    [ "$kb" != '-' ] && [ "$kb" -le "$max_kb" ] || problems+=("peak memory $kb kB")
  fi
  local result=ok
  if [ ${#problems[@]} -gt 0 ]; then
    result="FAIL: ${problems[*]}"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
  printf '%-34s %-7s %-7s %6s %8s  %s\n' "$name" "$expected" "${got:--}" "$seconds" "$kb" "$result"
}

# new_case NAME: a fresh folder and every section back to its default.
new_case() {
  mkdir -p "$work/$1"
  unset options footprints board cutouts parts nets rest
}

# Grid items have no count: an item list that runs off the end of the file ends the options
# section without a header.
new_case grid_items_to_end_of_file
options_only '[options]' '' 'visible_grid_spacing: 2540000.000000' \
  "  visible_grid_item: $big" "  visible_grid_item: $big" > "$work/grid_items_to_end_of_file/board.krv"
run_case grid_items_to_end_of_file 11393

new_case width_menu_items
options=$(default_options | sed "s/^n_width_menu: 1/n_width_menu: $big/")
write_board "$work/width_menu_items"
run_case width_menu_items 11318

new_case width_menu_items_to_end_of_file
options_only '[options]' "n_width_menu: $big" '  width_menu_item: 1 254000 711200 381000' \
  > "$work/width_menu_items_to_end_of_file/board.krv"
run_case width_menu_items_to_end_of_file 11296

new_case layer_lines
options=$(default_options | sed "s/^n_copper_layers: 2/n_copper_layers: $big/")
write_board "$work/layer_lines"
run_case layer_lines 11366

# 4294967294 + 12 wraps to 10 in 32 bits: the check must not wrap.
new_case layer_count_wrapping_32_bits
options=$(default_options | sed 's/^n_copper_layers: 2/n_copper_layers: 4294967294/' |
  sed '/layer_info: "top silk"/,$d')
options+=$'\n'$(layer_lines 14 | sed -n '7,10p')
write_board "$work/layer_count_wrapping_32_bits"
run_case layer_count_wrapping_32_bits 11366

# The list stops at 64 lines; a 65th layer line cannot make up the count.
new_case layer_lines_beyond_64
options=$(default_options | sed '/n_copper_layers/,$d')
options+=$'\n'"n_copper_layers: 53"$'\n'$(layer_lines 65)
write_board "$work/layer_lines_beyond_64"
run_case layer_lines_beyond_64 11366

# Footprints are counted from their name lines: a footprint block that runs off the end of the
# file is the nearest to a claim.
new_case footprints_to_end_of_file
{
  default_options
  echo
  default_footprints | head -n 6
} | sed 's/$/\r/' > "$work/footprints_to_end_of_file/board.krv"
run_case footprints_to_end_of_file 11514

new_case pins
footprints=$(default_footprints | sed "s/n_pins: 2/n_pins: $big/")
write_board "$work/pins"
run_case pins 15679

new_case pins_to_end_of_file
{
  default_options
  echo
  default_footprints | sed "s/n_pins: 2/n_pins: $big/"
} | sed 's/$/\r/' > "$work/pins_to_end_of_file/board.krv"
run_case pins_to_end_of_file 15670

# Polyline corners are counted from the corner lines: a list that runs off the end of the file.
new_case polyline_corners_to_end_of_file
{
  default_options
  echo
  default_footprints | sed '/close_polyline/,$d'
} | sed 's/$/\r/' > "$work/polyline_corners_to_end_of_file/board.krv"
run_case polyline_corners_to_end_of_file 15571

new_case outline_corners
board=$(default_board | sed "s/^outline: 4 0/outline: $big 0/")
write_board "$work/outline_corners"
run_case outline_corners 11683

new_case cutout_corners
cutouts=$(default_cutouts | sed "s/^sm_cutout: 4 0 8/sm_cutout: $big 0 8/")
write_board "$work/cutout_corners"
run_case cutout_corners 11833

# Many short lists, each declaring about as many corners as the file has lines: zero-filled one
# by one they would make gigabytes of corners out of some 35 kB.
short_lists() { # KEYWORD_AND_FIELDS: one list line per blank-separated short list
  local k
  for ((k = 1; k < 1500; k++)); do printf '%s\n\n' "$1"; done
}
new_case many_short_outline_lists
board=$(default_board)$'\n\n'$(short_lists "outline: 2900 1")
write_board "$work/many_short_outline_lists"
run_case many_short_outline_lists 11683

new_case many_short_cutout_lists
cutouts=$(default_cutouts)$'\n\n'$(short_lists "sm_cutout: 2900 0 8")
write_board "$work/many_short_cutout_lists"
run_case many_short_cutout_lists 11833

# Parts and nets are counted from their lines; the sections running off the end of the file.
sections_through_parts() {
  default_options
  echo
  default_footprints
  echo
  default_board
  echo
  default_cutouts
  echo
  default_parts
}
new_case parts_to_end_of_file
sections_through_parts | sed 's/$/\r/' > "$work/parts_to_end_of_file/board.krv"
run_case parts_to_end_of_file 12013

new_case nets_to_end_of_file
{
  sections_through_parts
  echo
  default_nets
} | sed 's/$/\r/' > "$work/nets_to_end_of_file/board.krv"
run_case nets_to_end_of_file 12559

new_case net_pins
nets=$(default_nets "$big")
write_board "$work/net_pins"
run_case net_pins 12678

new_case connections
nets=$(default_nets 2 "$big")
write_board "$work/connections"
run_case connections 12714

new_case segments
nets=$(default_nets 2 1 1 "$big")
write_board "$work/segments"
run_case segments 12785

# n_segs + 1 vertices would wrap to none in 32 bits.
new_case segments_4294967295
nets=$(default_nets 2 1 1 4294967295)
write_board "$work/segments_4294967295"
run_case segments_4294967295 12785

new_case areas
nets=$(default_nets 2 1 "$big")
write_board "$work/areas"
run_case areas 12847

new_case area_corners
nets=$(default_nets 2 1 1 2 "$big")
write_board "$work/area_corners"
run_case area_corners 12869

# The unchanged board loads and converts: the fixtures above fail only through their count.
mkdir -p "$work/unchanged"
unset options footprints board cutouts parts nets rest
write_board "$work/unchanged"
if (cd "$work/unchanged" && "$program" board.krv > /dev/null 2> stderr) &&
  [ -s "$work/unchanged/board_ref.krv" ]; then
  passed=$((passed + 1))
  printf '%-34s %-7s %-7s %6s %8s  %s\n' unchanged_board 0 0 - - ok
else
  failed=$((failed + 1))
  echo "FAIL unchanged_board: $(grep -m1 '^Error' "$work/unchanged/stderr")"
fi

# A write that fails after megabytes have already gone to the temporary file (a 3 MB project
# name is written before the footprints, whose surface pin without copper stops the write):
# the temporary file goes, and the older output stays as it was.
mkdir -p "$work/late_write_failure"
{
  default_options | head -n 2
  printf 'project_name: "%s"\n' "$(head -c 3000000 /dev/zero | tr '\0' 'P')"
  default_options | tail -n +3
  echo
  default_footprints
  printf '\nname: "FIDUCIAL"\n  units: MIL\n  n_pins: 1\n    pin: "F1" 0 0 0 0\n      top_mask: 1 80 0 0 0\n\n'
  default_board
  echo
  default_cutouts
  echo
  default_parts
  echo
  default_nets
  echo
  tail_sections
} | sed 's/$/\r/' > "$work/late_write_failure/board.krv"
echo "older board" > "$work/late_write_failure/board_ref.krv"
(cd "$work/late_write_failure" && "$program" board.krv > /dev/null 2> stderr)
status=$?
left=$(cd "$work/late_write_failure" && ls -A | grep -v '^board.krv$\|^board_ref.krv$\|^stderr$')
if [ "$status" = 1 ] && grep -q '^Error 16214:' "$work/late_write_failure/stderr" && [ -z "$left" ] &&
  [ "$(cat "$work/late_write_failure/board_ref.krv")" = "older board" ] &&
  [ "$(stat -c %s "$work/late_write_failure/board.krv")" -gt 3000000 ]; then
  passed=$((passed + 1))
  printf '%-34s %-7s %-7s %6s %8s  %s\n' late_write_failure 16214 16214 - - ok
else
  failed=$((failed + 1))
  echo "FAIL late_write_failure: status $status, $(grep -m1 '^Error' "$work/late_write_failure/stderr"), left: ${left:-nothing}"
fi

# Many footprints used by as many parts, each footprint with its pins: binding parts by name and
# checking their pins must grow with the file, not with its square (30 000 of each once took
# 23 seconds). Four times the board must take well under eight times as long, in any build.
many_board() {  # many_board FOLDER COUNT
  mkdir -p "$1"
  {
    default_options
    printf '\n[footprints]\n'
    for i in $(seq "$2"); do
      printf '\nname: "F%d"\n  units: NM\n  n_pins: 2\n    pin: "1" 100 0 0 0\n    pin: "2" 100 9 0 0\n' "$i"
    done
    printf '\n[board]\n\n[solder_mask_cutouts]\n\n[parts]\n'
    for i in $(seq "$2"); do
      printf '\npart: P%d\n  ref_text: 1 1 0 0 0\n  shape: "F%d"\n  pos: 0 0 0 90 0\n' "$i" $(($2 + 1 - i))
    done
    printf '\n[nets]\n\n[texts]\n\n[end]\n'
  } | sed 's/$/\r/' > "$1/board.krv"
}
many_seconds() {  # the best of three runs, in seconds
  local best=
  for _ in 1 2 3; do
    local start end
    start=$(date +%s%N)
    (cd "$1" && "$program" board.krv > /dev/null 2> stderr) || { echo fail; return; }
    end=$(date +%s%N)
    if [ -z "$best" ] || [ $((end - start)) -lt "$best" ]; then best=$((end - start)); fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}
many_board "$work/many_small" 15000
many_board "$work/many_large" 60000
small=$(many_seconds "$work/many_small")
large=$(many_seconds "$work/many_large")
if [ "$small" != fail ] && [ "$large" != fail ] &&
  { [ "$sanitized" = 1 ] || awk -v a="$small" -v b="$large" 'BEGIN { exit !(b < 8 * a) }'; }; then
  passed=$((passed + 1))
  printf '%-34s %-7s %-7s %6s %8s  %s\n' many_footprints_and_parts 0 0 "$large" - "ok (15000: $small s)"
else
  failed=$((failed + 1))
  echo "FAIL many_footprints_and_parts: 15000 in $small s, 60000 in $large s"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
