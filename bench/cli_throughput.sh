#!/usr/bin/env bash
# Throughput and peak memory of `tralto convert` on a point file, beside the same conversion
# in Python (float, math module, repr output) in the same run:
#   10^N spherical points, angles in degrees → Cartesian at precision 18 (--exact).
# Points per second are per CPU second of the one process (user + system, best of three), so
# that other load on the machine counts as little as possible; wall time is shown as well.
# Peak memory (maximum resident set) of tralto at 10^5, 10^6 and 10^7 points, streamed
# through a pipe.
#   bench/cli_throughput.sh [BUILD_DIR] [POINTS]      (defaults: build, 1000000)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
points=${2:-1000000}
tralto=$build/bin/tralto
generator=$here/cli_points.py
[ -x "$tralto" ] || { echo "no $tralto: build the target tralto first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time missing (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$generator" generate "$points" >"$work/points.csv"

# best NAME COMMAND...: runs the command three times on the points; sets cpu, wall.
best() {
  local name=$1
  shift
  cpu= wall=
  for _ in 1 2 3; do
    /usr/bin/time -f '%U %S %e' -o "$work/time" "$@" <"$work/points.csv" >"$work/$name.out"
    read -r user system elapsed <"$work/time"
    local total
    total=$(echo "$user + $system" | bc -l)
    if [ -z "$cpu" ] || [ "$(echo "$total < $cpu" | bc -l)" = 1 ]; then
      cpu=$total wall=$elapsed
    fi
  done
}

best tralto "$tralto" convert --from spherical --to cartesian --deg --exact
tralto_cpu=$cpu tralto_wall=$wall
best python python3 "$generator" convert
python_cpu=$cpu python_wall=$wall

# The two outputs describe the same points (double against extended precision).
paste -d, "$work/tralto.out" "$work/python.out" | awk -F, '
  function abs(v) { return v < 0 ? -v : v }
  { size = 1; for (i = 4; i <= 6; ++i) if (abs($i) > size) size = abs($i)
    for (i = 1; i <= 3; ++i) if (abs($i - $(i + 3)) > 1e-12 * size) { print "differ: " $0; exit 1 } }
  END { if (NR == 0) exit 1 }' || { echo "tralto and Python disagree" >&2; exit 1; }

rate() { echo "$points / $1" | bc -l | xargs printf '%.0f'; }
printf 'points: %d spherical (degrees) -> Cartesian, precision 18\n' "$points"
printf '%-8s %10.2f CPU s %8.2f wall s %12s points/s\n' tralto "$tralto_cpu" "$tralto_wall" "$(rate "$tralto_cpu")"
printf '%-8s %10.2f CPU s %8.2f wall s %12s points/s\n' python "$python_cpu" "$python_wall" "$(rate "$python_cpu")"
printf 'tralto / python throughput: %.2f\n' "$(echo "$python_cpu / $tralto_cpu" | bc -l)"

echo "peak memory of tralto (maximum resident set):"
for count in 100000 1000000 10000000; do
  python3 "$generator" generate "$count" |
    /usr/bin/time -f '%M' -o "$work/memory" "$tralto" convert --from spherical --to cartesian \
      --deg --exact >/dev/null
  printf '  %9d points: %6d KiB\n' "$count" "$(cat "$work/memory")"
done
