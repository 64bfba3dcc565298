#!/usr/bin/env bash
# Instructions per evaluation of each benchmark text, Tralto against a fresh
# muParser: a callgrind run of N evaluations minus a run of 0, divided by N.
# Usage: bench/callgrind_evaluate.sh [build folder (default build)] [N (default 2000)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
iterations=${2:-2000}
program="$build/bench/bench_evaluate_count"
if [ ! -x "$program" ]; then
  echo "$program is missing: cmake --build $build --target bench_evaluate_count" >&2
  exit 1
fi
command -v valgrind >/dev/null || { echo "valgrind is missing" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Total instructions of one run of the program.
instructions() {
  local out="$work/callgrind.out"
  valgrind --tool=callgrind --callgrind-out-file="$out" "$program" "$@" >/dev/null 2>&1
  sed -n 's/^summary: *//p' "$out"
}

per_call() {
  local engine=$1 index=$2
  local full empty
  full=$(instructions "$engine" "$index" "$iterations")
  empty=$(instructions "$engine" "$index" 0)
  echo $(( (full - empty) / iterations ))
}

texts=(
  "1+2*3"
  "(1+2)*3"
  "2^3^2"
  "sin(0.5)+cos(0.25)"
  "sqrt(2)*pi"
  "4*atan(1)"
  "((((1+2)*3-4)/5)^2)"
  "123456.789*0.000123+17/3"
)

printf '%-28s %12s %12s %7s\n' "text" "Tralto" "muParser" "ratio"
for index in "${!texts[@]}"; do
  tralto=$(per_call tralto "$index")
  muparser=$(per_call muparser "$index")
  ratio=$(awk -v a="$tralto" -v b="$muparser" 'BEGIN { printf "%.3f", a / b }')
  printf '%-28s %12s %12s %7s\n' "${texts[$index]}" "$tralto" "$muparser" "$ratio"
done
