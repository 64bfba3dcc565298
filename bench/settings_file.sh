#!/usr/bin/env bash
# How the program copes with a huge settings file: a copy of the program
# folder whose Tralmain.ini holds the language, then SIZE_MB (default 16, the
# largest the program reads: a file over 16 MiB is refused unread) megabytes
# of filler lines; the program starts on a private Xvfb display,
# its first window appears, "File" ▸ "Exit" ends it (which writes all five
# keys). Reports the time to the first window, the time through exit, the
# processor time and the peak resident memory (GNU time), for each kind of
# filler:
#   blank   empty lines
#   header  lines "[a]", the same section again and again
#
#   bench/settings_file.sh [BUILD_DIR]    default build/; builds what it runs
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
source bench/xvfb.sh

build=${1:-build}
size_mb=${SIZE_MB:-16}
kinds=${KINDS:-blank header}
[ -f "$build/CMakeCache.txt" ] ||
  { echo "No configured build in $build (run scripts/test.sh or cmake -S . -B $build)" >&2; exit 1; }
for tool in Xvfb xdotool /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (packages xvfb, xdotool, time)" >&2; exit 1; }
done
cmake --build "$build" --target Tralmain Glyphbank language -j "$(tralto_jobs)" >/dev/null

folder="$work/tralto"
mkdir -p "$folder"
cp -R "$build/bin/Tralmain" "$build/bin/libGlyphbank.so" "$build/bin/language" "$folder/"

tralto_start_xvfb "$work" 1280x1024
export DISPLAY="$xvfb_display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work"
unset WAYLAND_DISPLAY

# Writes the settings file: the language first, so that no dialog asks for
# it, then the filler.
settings() {
  local line
  case $1 in
    blank) line='' ;;
    header) line='[a]' ;;
  esac
  printf '[Language]\nCommonLangExt=enu\n' >"$folder/Tralmain.ini"
  # One line repeated until the size is reached, in large pieces.
  awk -v line="$line" -v bytes=$((size_mb * 1000000)) 'BEGIN {
    piece = ""
    for (i = 0; i < 10000; ++i) piece = piece line "\n"
    for (written = 0; written < bytes; written += length(piece)) printf "%s", piece
  }' >>"$folder/Tralmain.ini"
}

now() { date +%s.%N; }

printf '%-8s %8s %12s %10s %10s %12s %7s\n' filler "file MB" "to window s" "to exit s" "CPU s" "peak RSS MB" status
for kind in $kinds; do
  settings "$kind"
  file_bytes=$(stat -c %s "$folder/Tralmain.ini")
  start=$(now)
  /usr/bin/time -v -o "$work/time.txt" "$folder/Tralmain" >"$work/program.log" 2>&1 &
  program_pid=$!
  window=
  while [ -z "$window" ]; do
    kill -0 "$program_pid" 2>/dev/null || { cat "$work/program.log" >&2; echo "$kind: ended early" >&2; exit 1; }
    window=$(xdotool search --onlyvisible --name '^Solidus Pro' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] || sleep 0.05
  done
  shown=$(now)
  xdotool windowfocus --sync "$window"
  xdotool key --delay 50 alt+f
  sleep 0.3
  xdotool key x
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  ended=$(now)
  rss_kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ { sum += $2 } END { print sum }' "$work/time.txt")
  awk -v kind="$kind" -v bytes="$file_bytes" -v start="$start" -v shown="$shown" -v ended="$ended" \
      -v rss="$rss_kib" -v cpu="$cpu" -v status="$status" 'BEGIN {
    printf "%-8s %8.1f %12.2f %10.2f %10.2f %12.1f %7d\n", kind, bytes / 1e6, shown - start,
      ended - start, cpu, rss / 1024, status
  }'
  grep -q '^Dim=3' "$folder/Tralmain.ini" || echo "$kind: the settings were not written at exit" >&2
done
echo "(load average: $(cut -d ' ' -f 1-3 /proc/loadavg))"
