#!/usr/bin/env bash
# Throughput and peak memory of `tralto convert` on a point file, beside the same conversion
# in Python in the same run: a loop (float, math module, repr output) and numpy, vectorised
# (read at once, converted array by array, written with 17 significant digits).
#   10^N spherical points, angles in degrees → Cartesian at precision 18 (--exact).
# Then the cost of the columns: the same points read through --columns 1,2,3, and with an id
# field passed through (before the point with --columns 2,3,4, or after it without).
# Points per second are per CPU second of the one process (user + system, best of three), on
# one core (taskset), so that other load on the machine counts as little as possible; wall
# time is shown as well. Peak memory (maximum resident set) of tralto at 10^5, 10^6 and 10^7
# points, streamed through a pipe.
#   bench/cli_throughput.sh [BUILD_DIR] [POINTS]      (defaults: build, 1000000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
points=${2:-1000000}
tralto=$build/bin/tralto
generator=$here/cli_points.py
python=/usr/bin/python3
[ -x "$tralto" ] || { echo "no $tralto: build the target tralto first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing (Debian package time)" >&2; exit 1; }
"$python" -c 'import numpy' || { echo "numpy missing (Debian package python3-numpy)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$python" "$generator" generate "$points" >"$work/points.csv"
"$python" "$generator" generate "$points" id-first >"$work/id-first.csv"
"$python" "$generator" generate "$points" id-last >"$work/id-last.csv"

# best NAME INPUT COMMAND...: runs the command three times on one core; sets cpu, wall.
best() {
  local name=$1 input=$2
  shift 2
  cpu= wall=
  for _ in 1 2 3; do
    /usr/bin/time -f '%U %S %e' -o "$work/time" taskset -c 0 "$@" <"$work/$input" >"$work/$name.out"
    read -r user system elapsed <"$work/time"
    local total
    total=$(echo "$user + $system" | bc -l)
    if [ -z "$cpu" ] || [ "$(echo "$total < $cpu" | bc -l)" = 1 ]; then
      cpu=$total wall=$elapsed
    fi
  done
  eval "${name}_cpu=\$cpu ${name}_wall=\$wall"
}

convert=("$tralto" convert --from spherical --to cartesian --deg --exact)
best tralto points.csv "${convert[@]}"
best python points.csv "$python" "$generator" convert
best numpy points.csv "$python" "$generator" convert-numpy
best columns points.csv "${convert[@]}" --columns 1,2,3
best idfirst id-first.csv "${convert[@]}" --columns 2,3,4
best idlast id-last.csv "${convert[@]}"

# The outputs describe the same points (double against extended precision), and the columns
# change nothing but where the point stands.
same() {
  paste -d, "$work/$1.out" "$work/$2.out" | awk -F, '
    function abs(v) { return v < 0 ? -v : v }
    { size = 1; for (i = 4; i <= 6; ++i) if (abs($i) > size) size = abs($i)
      for (i = 1; i <= 3; ++i) if (abs($i - $(i + 3)) > 1e-12 * size) { print "differ: " $0; exit 1 } }
    END { if (NR == 0) exit 1 }' || { echo "tralto and $2 disagree" >&2; exit 1; }
}
same tralto python
same tralto numpy
cmp -s "$work/tralto.out" "$work/columns.out" || { echo "--columns 1,2,3 changed the output" >&2; exit 1; }
cut -d, -f2- "$work/idfirst.out" | cmp -s - "$work/tralto.out" ||
  { echo "the id before the point changed the output" >&2; exit 1; }
cut -d, -f1-3 "$work/idlast.out" | cmp -s - "$work/tralto.out" ||
  { echo "the id after the point changed the output" >&2; exit 1; }

rate() { echo "$points / $1" | bc -l | xargs printf '%.0f'; }
row() {
  local name=$1 label=$2 cpu wall
  cpu=${name}_cpu wall=${name}_wall
  printf '| %-44s | %6.2f | %6.2f | %10s | %5.2f |\n' "$label" "${!cpu}" "${!wall}" \
    "$(rate "${!cpu}")" "$(echo "${!cpu} / $tralto_cpu" | bc -l)"
}
printf 'points: %d spherical (degrees) -> Cartesian, precision 18, one core\n' "$points"
printf '| %-44s | %6s | %6s | %10s | %5s |\n' "" "CPU s" "wall s" "points/s" "CPU ×"
row tralto '`tralto`'
row python 'Python, a loop'
row numpy 'Python, numpy'
row columns '`tralto --columns 1,2,3`'
row idfirst '`tralto --columns 2,3,4`, an id before'
row idlast '`tralto`, an id after (passed through)'

echo "peak memory of tralto (maximum resident set):"
for count in 100000 1000000 10000000; do
  "$python" "$generator" generate "$count" |
    /usr/bin/time -f '%M' -o "$work/memory" "${convert[@]}" >/dev/null
  printf '  %9d points: %6d KiB\n' "$count" "$(cat "$work/memory")"
done
