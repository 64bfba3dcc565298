#!/usr/bin/env bash
# Screenshots of the built program's windows under Xvfb, at one and two device
# pixels per pixel (QT_SCALE_FACTOR), on a bare X server and, when openbox is
# installed, under that window manager:
#   scripts/screenshot-windows.sh OUT_DIR [LANGUAGE]
# writes OUT_DIR/<window>-<1x|2x>-<bare|wm>.png for the 3-D window, the 2-D
# window, the info dialog and the first-start dialog of a German locale, and
# a point pasted into the 3-D window and the whole screen with a math error
# box. The documentation's pictures are taken from these. Needs Xvfb, xdotool
# and xclip.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: $0 OUT_DIR [LANGUAGE]}
language=${2:-enu}
build=${BUILD_DIR:-$source_dir/build}
cmake --build "$build" --target Tralmain Glyphbank language screen_grab -j 2 >/dev/null
mkdir -p "$out"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/program"
cp -R "$build/bin/Tralmain" "$build/bin/libGlyphbank.so" "$build/bin/language" "$work/program/"
export LC_ALL=C.UTF-8 HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE

wait_for_window() { # NAME: the id of a visible window whose name starts so
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
grab_window() { # ID FILE: the window with the frame its window manager gave it
  local info left top width height extents
  info=$(xwininfo -id "$1")
  left=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  top=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  width=$(sed -n 's/.*Width: *//p' <<<"$info")
  height=$(sed -n 's/.*Height: *//p' <<<"$info")
  # _NET_FRAME_EXTENTS: left, right, top, bottom of the frame; none when bare.
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
  if [ -n "$extents" ]; then
    IFS=, read -r fl fr ft fb <<<"$extents"
    left=$((left - fl)); top=$((top - ft)); width=$((width + fl + fr)); height=$((height + ft + fb))
  fi
  "$build/tools/screen_grab" "$2" "$left" "$top" "$width" "$height"
}

start_program() { # DIMENSION: sets program and main
  printf '[Language]\nCommonLangExt=%s\n[Coord]\nDim=%s\n' "$language" "$1" >"$work/program/Tralmain.ini"
  QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$work/program/Tralmain" &
  program=$!; pids+=("$program")
  main=$(wait_for_window "Solidus Pro")
  sleep 1
}

for scale in 1 2; do
  for manager in bare wm; do
    if [ "$manager" = wm ] && ! command -v openbox >/dev/null; then continue; fi
    Xvfb -displayfd 3 -screen 0 $((1280 * scale))x$((1024 * scale))x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!; pids+=("$xvfb")
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(head -n 1 "$work/display")"
    : >"$work/display"
    if [ "$manager" = wm ]; then openbox >/dev/null 2>&1 & pids+=("$!"); sleep 1; fi
    xdotool mousemove 0 0
    suffix="${scale}x-$manager"

    start_program 3
    grab_window "$main" "$out/3d-$suffix.png"
    # The info dialog from its menu entry.
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key alt+i; sleep 1
    if info=$(wait_for_window "Tralto\$"); then
      grab_window "$info" "$out/info-$suffix.png"
      xdotool key Escape; sleep 0.5
    fi
    # A point pasted as one text into x fills the Cartesian fields.
    xdotool mousemove --window "$main" $((306 * scale)) $((62 * scale)) click 1
    printf '3, 4, 12' | xclip -selection clipboard
    xdotool key ctrl+v; sleep 0.5
    grab_window "$main" "$out/pasted-point-$suffix.png"
    # A math error box over the window, once the typing has paused: the whole
    # screen shows where it opens. The next key edits the field and closes it.
    xdotool key ctrl+a; xdotool type --delay 20 'sqrt(-1)'; sleep 2
    "$build/tools/screen_grab" "$out/error-box-$suffix.png"
    xdotool key BackSpace; sleep 0.5
    kill "$program"; wait "$program" 2>/dev/null || true

    start_program 2
    grab_window "$main" "$out/2d-$suffix.png"
    kill "$program"; wait "$program" 2>/dev/null || true

    # The first start of a user with a German locale: the language dialog,
    # German chosen.
    rm -f "$work/program/Tralmain.ini"
    LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$work/program/Tralmain" &
    program=$!; pids+=("$program")
    if dialog=$(wait_for_window "Solidus\$"); then
      sleep 1
      grab_window "$dialog" "$out/first-start-de_DE-$suffix.png"
    fi
    kill "$program"; wait "$program" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true
  done
done
ls "$out"
