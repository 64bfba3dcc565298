#!/usr/bin/env bash
# Instructions per keystroke of the three-dimensional window without its
# widgets: a callgrind run of N keystrokes minus a run of 0, divided by N.
# Usage: bench/callgrind_keystroke.sh [build folder (default build)] [N (default 2000)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rounds=${2:-2000}
program="$build/bench/bench_keystroke"
[ -x "$program" ] || { echo "$program is missing: cmake --build $build --target bench_keystroke" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
instructions() {
  valgrind --tool=callgrind --callgrind-out-file="$work/out" "$program" --count "$1" >/dev/null 2>&1
  sed -n 's/^summary: *//p' "$work/out"
}
full=$(instructions "$rounds")
empty=$(instructions 0)
echo "instructions per keystroke: $(( (full - empty) / rounds ))"
