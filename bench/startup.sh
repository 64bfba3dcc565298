#!/usr/bin/env bash
# How fast Tralto starts and how much memory it then holds, beside a floor:
# the least Qt Widgets program of the same shape (bench/StartupFloor.cpp).
# On a private Xvfb display each program starts RUNS times (default 10, after
# one warm-up start each that is not counted), the two taking turns. A run
# measures the time from exec to the first mapped top-level window
# (bench/WaitForMap, which waits for the X server's MapNotify) and the
# resident memory (VmRSS) two seconds later. Tralmain runs from a copy of its
# program folder with a settings file that skips the first-start dialog.
#
#   bench/startup.sh [BUILD_DIR]    default build/; builds what it runs first
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source bench/xvfb.sh

build=${1:-build}
runs=${RUNS:-10}
settle_seconds=2
[ -f "$build/CMakeCache.txt" ] ||
  { echo "No configured build in $build (run scripts/test.sh or cmake -S . -B $build)" >&2; exit 1; }
case $runs in
  '' | *[!0-9]* | 0) echo "RUNS must be a positive whole number" >&2; exit 1 ;;
esac

# The program folder is measured whole: the glyph library and the language
# files load at start-up too.
targets=(Tralmain startup_floor WaitForMap)
available=$(cmake --build "$build" --target help)
for optional in Glyphbank language; do
  grep -qE "^(\.\.\. )?$optional(:| |$)" <<<"$available" && targets+=("$optional")
done
cmake --build "$build" --target "${targets[@]}" -j "$(tralto_jobs)" >/dev/null
wait_for_map="$build/bench/WaitForMap"
floor="$build/bench/startup_floor"
[ -x "$wait_for_map" ] || { echo "$wait_for_map was not built (is libx11-dev installed?)" >&2; exit 1; }

folder="$work/tralto"
cp -a "$build/bin" "$folder"
rm -f "$folder/Tralmain.ini"
settings() {
  printf '[Language]\nCommonLangExt=enu\n[Coord]\nDim=3\n' >"$folder/Tralmain.ini"
}

# Xvfb picks a free display number itself.
tralto_start_xvfb "$work" 1920x1080
display=$xvfb_display
mkdir -m 700 "$work/runtime"

# Starts one program, appends "MILLISECONDS RSS_KIB" to $work/NAME.
measure() {
  local name=$1 program=$2 milliseconds pid rss
  [ "$name" = Tralmain ] && settings
  coproc HELPER {
    exec env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb \
      XDG_RUNTIME_DIR="$work/runtime" "$wait_for_map" --timeout 10 "$program" 2>"$work/helper.log"
  }
  helper_pid=$HELPER_PID
  if ! read -r -t 12 milliseconds pid <&"${HELPER[0]}"; then
    wait "$helper_pid" || true
    helper_pid=
    cat "$work/helper.log" >&2
    echo "$name: no window" >&2
    exit 1
  fi
  program_pid=$pid
  sleep "$settle_seconds"
  rss=$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status")
  kill -TERM "$pid"
  for ((tenth = 0; tenth < 50; ++tenth)); do
    kill -0 "$helper_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null || true
  wait "$helper_pid" || true
  program_pid=
  helper_pid=
  [ "${3:-}" = warm-up ] || echo "$milliseconds $rss" >>"$work/$name"
}

measure startup_floor "$floor" warm-up
measure Tralmain "$folder/Tralmain" warm-up
for ((run = 1; run <= runs; ++run)); do
  measure startup_floor "$floor"
  measure Tralmain "$folder/Tralmain"
done

# Minimum and median of column $2 of file $1.
statistics() {
  cut -d ' ' -f "$2" "$1" | sort -g | awk '
    { value[NR] = $1 }
    END {
      median = NR % 2 ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2
      print value[1], median
    }'
}
read -r floor_time_min floor_time_median < <(statistics "$work/startup_floor" 1)
read -r floor_rss_min floor_rss_median < <(statistics "$work/startup_floor" 2)
read -r main_time_min main_time_median < <(statistics "$work/Tralmain" 1)
read -r main_rss_min main_rss_median < <(statistics "$work/Tralmain" 2)

echo "Start-up on Xvfb $display, $runs runs each: exec to first mapped window; VmRSS ${settle_seconds} s later"
awk -v ftm="$floor_time_min" -v ftd="$floor_time_median" -v frm="$floor_rss_min" -v frd="$floor_rss_median" \
    -v mtm="$main_time_min" -v mtd="$main_time_median" -v mrm="$main_rss_min" -v mrd="$main_rss_median" 'BEGIN {
  printf "%-14s %12s %12s %12s %12s\n", "", "time min", "time median", "RSS min", "RSS median"
  printf "%-14s %9.1f ms %9.1f ms %8.1f MiB %8.1f MiB\n", "startup_floor", ftm, ftd, frm / 1024, frd / 1024
  printf "%-14s %9.1f ms %9.1f ms %8.1f MiB %8.1f MiB\n", "Tralmain", mtm, mtd, mrm / 1024, mrd / 1024
  printf "%-14s %11.2fx  %11.2fx  %11.2fx  %11.2fx\n", "Tralmain/floor", mtm / ftm, mtd / ftd, mrm / frm, mrd / frd
}'
for name in startup_floor Tralmain; do
  printf '%-14s runs, ms: %s\n' "$name" "$(cut -d ' ' -f 1 "$work/$name" | tr '\n' ' ')"
done
echo "(load average: $(cut -d ' ' -f 1-3 /proc/loadavg))"
