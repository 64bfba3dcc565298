#!/usr/bin/env bash
# Starts the built program as a user does, under a virtual X server, works its
# window with the keyboard and the mouse and checks how it ends: exit status 0
# and the settings file it leaves behind, the only thing that outlives a run.
#   run_program.sh RUNTIME_DIR                 the scenarios
#   run_program.sh --self-check RUNTIME_DIR    shows that a program that does not
#                                              start, crashes, hangs or writes a
#                                              wrong file makes a scenario fail
# The scenarios run in a copy of the program folder (Tralmain,
# libGlyphbank.so, language/), each with its own prepared Tralmain.ini. Every wait is
# bounded; the X server and the program are stopped by their process IDs.
# Exit status 77: a tool is missing (the test is reported as skipped).
set -uo pipefail

self_check=0
if [ "${1:-}" = "--self-check" ]; then
  self_check=1
  shift
fi
if [ $# -ne 1 ]; then
  echo "usage: $0 [--self-check] RUNTIME_DIR" >&2
  exit 2
fi
runtime=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

for tool in Xvfb xdotool xclip timeout; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is missing (Debian packages xvfb, xdotool, xclip, coreutils)" >&2
    exit 77
  fi
done
for file in Tralmain libGlyphbank.so language; do
  if [ ! -e "$runtime/$file" ]; then
    echo "FAIL: $runtime/$file is missing; build the targets Tralmain, Glyphbank and language" >&2
    exit 1
  fi
done

# Seconds to wait for the window to appear and for the program to end after
# "Exit"; generous, since an ASan build on a busy machine starts slowly.
window_wait=${E2E_WINDOW_WAIT:-45}
exit_wait=${E2E_EXIT_WAIT:-30}
step_wait=10

work=$(mktemp -d)
xvfb_pid=
program_pid=

# Stops one process: politely, then for sure (SIGKILL also ends a stopped one).
stop_process() {
  local pid=$1
  kill -0 "$pid" 2>/dev/null || return 0
  kill -TERM "$pid" 2>/dev/null
  kill -CONT "$pid" 2>/dev/null
  local tries=0
  while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 30 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  return 0
}
cleanup() {
  [ -n "$program_pid" ] && stop_process "$program_pid"
  [ -n "$xvfb_pid" ] && stop_process "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- the X server
# -displayfd lets the server pick a free display and tell it once it accepts
# connections, so parallel test runs do not race for a number.
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
display=$(head -n 1 "$work/display" 2>/dev/null)
if [ -z "$display" ]; then
  echo "FAIL: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
  exit 1
fi
export DISPLAY=":$display"
# The pointer in a corner, off the window: no hover effects, no tooltips.
timeout 10 xdotool mousemove 1279 1023 || { echo "FAIL: xdotool cannot reach $DISPLAY" >&2; exit 1; }

# The program sees a desktop of its own: the X platform, a fixed locale, and
# home and runtime folders that are thrown away afterwards.
export QT_QPA_PLATFORM=xcb
export LC_ALL=C.UTF-8
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_DATA_HOME="$work/home/.local/share" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE SESSION_MANAGER
# In a sanitizer build a memory error or a leak ends the program with a
# non-zero status; only caches of system libraries are suppressed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$source_dir/scripts/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# --- one scenario
reason=
window=

describe_status() {
  local status=$1
  if [ "$status" -gt 128 ]; then
    echo "status $status, signal $(kill -l $((status - 128)) 2>/dev/null)"
  else
    echo "status $status"
  fi
}
# The state is read from one read of /proc: the shell collects an ended child
# whenever it likes, and a second look (kill, then the status file) could see
# the program first as a zombie and then not at all, which read as "running".
program_alive() {
  [ -n "$program_pid" ] || return 1
  local key value
  while read -r key value; do
    [ "$key" = State: ] && { [ "${value:0:1}" != Z ]; return; }
  done 2>/dev/null <"/proc/$program_pid/status"
  return 1
}
# Collects the status of the ended program into `program_status`.
program_status=
reap_program() {
  program_status=0
  wait "$program_pid" 2>/dev/null || program_status=$?
  program_pid=
}
# Fails the step when the program has gone away in the meantime.
require_running() {
  program_alive && return 0
  reap_program
  reason="the program ended while being worked ($(describe_status "$program_status"))"
  return 1
}
visible_windows() {
  timeout "$step_wait" xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null
}

keys() {
  require_running || return 1
  timeout "$step_wait" xdotool key --delay 20 "$@" || { reason="xdotool key $* failed"; return 1; }
}
type_text() {
  require_running || return 1
  timeout "$step_wait" xdotool type --delay 20 "$1" || { reason="xdotool type $1 failed"; return 1; }
}

# Copies the focused field and waits until the clipboard holds `expected`:
# keystrokes are handled in their own time, so the copy is repeated.
# With a place (x y in the coordinate window), clicks there before each copy,
# for a field of a window that is still on its way.
expect_field() {
  local expected=$1 what=$2 place=("${@:3}") text=
  local deadline=$((SECONDS + step_wait))
  while [ "$SECONDS" -lt "$deadline" ]; do
    if [ ${#place[@]} -eq 2 ]; then
      click "${place[@]}" || return 1
    fi
    keys ctrl+a ctrl+c || return 1
    text=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
    [ "$text" = "$expected" ] && return 0
    sleep 0.2
  done
  reason="$what shows '$text', expected '$expected'"
  return 1
}

# Waits until the program shows `count` windows: the frame, and a menu or an
# open list on top of it.
wait_for_windows() {
  local count=$1 what=$2
  local deadline=$((SECONDS + step_wait))
  while [ "$SECONDS" -lt "$deadline" ]; do
    require_running || return 1
    [ "$(visible_windows | wc -l)" -eq "$count" ] && return 0
    sleep 0.1
  done
  reason="$what"
  return 1
}
# Opens a menu with its Alt key and waits for the menu's own window.
open_menu() {
  keys "$1" && wait_for_windows 2 "the menu did not open after $1"
}

# The coordinate window fills the frame right below the menu bar; its height
# is where the opened file menu stands (the font decides it).
menu_bar=
measure_menu_bar() {
  open_menu "$1" || return 1
  local popup
  popup=$(visible_windows | grep -vx "$window" | head -n 1)
  menu_bar=$(($(window_top "$popup") - $(window_top "$window")))
  if [ "$menu_bar" -lt 10 ] || [ "$menu_bar" -gt 80 ]; then
    reason="the file menu opens $menu_bar pixels below the top of the window"
    return 1
  fi
  keys Escape && wait_for_windows 1 "the menu did not close on Escape"
}
window_top() {
  timeout "$step_wait" xdotool getwindowgeometry --shell "$1" | sed -n 's/^Y=//p'
}
# Clicks at x y of the coordinate window, as laid out in its design.
click() {
  require_running || return 1
  timeout "$step_wait" xdotool mousemove --window "$window" "$1" $((menu_bar + $2)) click 1 ||
    { reason="xdotool cannot click at $1 $2"; return 1; }
}

# The lines of a settings file without blank lines: what a reader sees, in order.
settings_lines() {
  grep -v '^[[:space:]]*$' "$1"
}

folder_listing() {
  find "$1" -mindepth 1 -printf '%P\n' | sort
}

# run_case NAME FOLDER SETTINGS EXPECTED ACTIONS
#   SETTINGS  the text of Tralmain.ini before the start
#   EXPECTED  its lines after the exit, blank lines left out
#   ACTIONS   a function that works the window and ends the program
# Returns 0 when everything holds, else 1 with the cause in `reason`.
run_case() {
  local name=$1 folder=$2 settings=$3 expected=$4 actions=$5
  local log="$work/$name.log"
  reason=
  rm -f "$folder/Tralmain.ini"
  printf '%s' "$settings" >"$folder/Tralmain.ini"
  local before
  before=$(folder_listing "$folder")

  (cd "$folder" && exec ./Tralmain) >"$log" 2>&1 &
  program_pid=$!
  local deadline=$((SECONDS + window_wait))
  window=
  while [ -z "$window" ]; do
    if ! program_alive; then
      reap_program
      reason="the program ended before its window appeared ($(describe_status "$program_status"))"
      break
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
      reason="no window within $window_wait s"
      break
    fi
    window=$(visible_windows | head -n 1)
    [ -n "$window" ] || sleep 0.2
  done

  if [ -z "$reason" ]; then
    local caption
    caption=$(timeout "$step_wait" xdotool getwindowname "$window")
    [[ "$caption" == "Solidus Pro"* ]] || reason="the window's caption is '$caption'"
  fi
  if [ -z "$reason" ]; then
    # No window manager gives the focus: take it, as a click would.
    timeout "$step_wait" xdotool windowfocus --sync "$window" || reason="the window did not take the focus"
  fi
  [ -z "$reason" ] && "$actions"

  if [ -z "$reason" ]; then
    deadline=$((SECONDS + exit_wait))
    while program_alive && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
    done
    if program_alive; then
      reason="the program did not end within $exit_wait s after Exit"
    else
      reap_program
      [ "$program_status" -eq 0 ] || reason="the program ended with $(describe_status "$program_status")"
    fi
  fi
  if [ -z "$reason" ] && grep -Eq 'AddressSanitizer|LeakSanitizer|runtime error:' "$log"; then
    reason="a sanitizer report on the standard error stream"
  fi
  if [ -z "$reason" ]; then
    local written
    written=$(settings_lines "$folder/Tralmain.ini" 2>&1)
    if [ "$written" != "$expected" ]; then
      reason="the settings file differs from what was expected:
$(diff <(echo "$expected") <(echo "$written"))"
    fi
  fi
  if [ -z "$reason" ]; then
    local after
    after=$(folder_listing "$folder")
    [ "$after" = "$before" ] || reason="files left in the program folder: $(comm -13 <(echo "$before") <(echo "$after") | tr '\n' ' ')"
  fi
  [ -n "$program_pid" ] && stop_process "$program_pid" && program_pid=

  if [ -n "$reason" ]; then
    echo "$name: $reason"
    echo "--- program output (last 40 lines)"
    tail -n 40 "$log"
    echo "---"
    return 1
  fi
  echo "$name: passed"
  return 0
}

# --- what the user does
# Places in the coordinate windows: the x fields and the dimension list.
x_field_3d=(306 42)
x_field_2d=(40 43)
dimension_list=(20 10)

# Three-dimensional window, German: x = 3*4 and y = 4^2 give the spherical
# radius 20 (the field three steps after x); then "Datei" ▸ "Beenden".
type_into_3d_then_exit_german() {
  measure_menu_bar alt+d && click "${x_field_3d[@]}" && keys ctrl+a &&
    type_text '3*4' && keys Tab && type_text '4^2' && keys Tab Tab &&
    expect_field 20 "the spherical r field" &&
    open_menu alt+d && keys b
}

# Three-dimensional window, English, numbers with four decimals: Tab from the
# last field reaches the list, Up picks "2"; in the two-dimensional window
# x = 3 and y = 4 give r = 5; then "File" ▸ "Exit".
switch_to_2d_then_exit_english() {
  measure_menu_bar alt+f && click "${x_field_3d[@]}" && keys ctrl+a &&
    type_text '3*4' && keys Tab && type_text '4^2' && keys Tab Tab &&
    expect_field 20.0000 "the spherical r field" &&
    keys Tab Tab Tab Tab Tab Tab Up &&
    expect_field 0 "the x field of the two-dimensional window" "${x_field_2d[@]}" &&
    type_text 3 && keys Tab && type_text 4 && keys Tab &&
    expect_field 5.0000 "the polar r field" &&
    open_menu alt+f && keys x
}

# Two-dimensional window, German, numbers in exponent form: works in its
# fields, opens the list with the mouse and picks "3" with the keyboard, then
# leaves through the last item of "Datei" (Up from the first) with Enter.
switch_to_3d_then_exit_german() {
  measure_menu_bar alt+d && click "${x_field_2d[@]}" && keys ctrl+a &&
    type_text 3 && keys Tab && type_text 4 && keys Tab &&
    expect_field 5.00000000E+00 "the polar r field" &&
    click "${dimension_list[@]}" && wait_for_windows 2 "the list did not open" &&
    keys Down Return &&
    expect_field 0 "the x field of the three-dimensional window" "${x_field_3d[@]}" &&
    open_menu alt+d && keys Up Return
}

# Three-dimensional window, English: x = 3, z = 4, then Tab once round the
# whole window (the fields, the list, the theta choice, the unit, back to z);
# on a second round Down in the theta choice measures theta from the xy plane,
# which the theta field then shows. The x field emptied, Shift+Tab to the
# list and Up switch to two dimensions; the list there switches back, and a
# digit typed at once lands in the x field.
tab_round_then_type_after_switch_english() {
  measure_menu_bar alt+f && click "${x_field_3d[@]}" && keys ctrl+a && type_text 3 &&
    keys Tab Tab && type_text 4 &&
    keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab &&
    expect_field 4 "the z field after a Tab round" &&
    keys Tab Tab Tab Tab Tab Tab Tab Tab Down Tab Tab Tab Tab Tab Tab &&
    expect_field 0.9273 "the theta field after the choice of the xy plane with the keyboard" &&
    click "${x_field_3d[@]}" && keys ctrl+a BackSpace shift+Tab shift+Tab shift+Tab Up &&
    expect_field 0 "the x field of the two-dimensional window" "${x_field_2d[@]}" &&
    click "${dimension_list[@]}" && wait_for_windows 2 "the list did not open" &&
    keys Down Return && type_text 5 &&
    expect_field 5 "the x field right after the switch back" &&
    open_menu alt+f && keys x
}

exit_english() {
  open_menu alt+f && keys x
}

# Three-dimensional window, English: typed at once after the start, without a
# click, "ln 0.5" lands in the x field key by key although "ln 0" and "ln 0."
# are math errors on the way; the spherical r is its value, and once the
# typing has paused no error box stands beside the frame.
type_at_start_through_math_error_english() {
  type_text 'ln 0.5' &&
    expect_field 'ln 0.5' "the x field typed right after the start" &&
    keys Tab Tab Tab && expect_field 0.69315 "the spherical r field" &&
    sleep 1.5 && wait_for_windows 1 "a window beside the frame after the pause" &&
    measure_menu_bar alt+f && exit_english
}

# --- the scenarios
folder="$work/program"
mkdir -p "$folder"
cp -R "$runtime/Tralmain" "$runtime/libGlyphbank.so" "$runtime/language" "$folder/"

prepared_3d_german='[Language]
CommonLangExt=deu
[Coord]
Dim=3
[Formater]
Format=0
Precision=7
Digits=1
'
# Keys in another order, a comment and a section of someone else: all stay
# where they were; the missing [Coord] is appended.
prepared_english_without_coord='; kept by hand
[Formater]
Format=3
Precision=12
Digits=4
[Language]
CommonLangExt=enu
[Elsewhere]
Kept=yes
'
prepared_2d_german='[Coord]
Dim=2
[Language]
CommonLangExt=deu
[Formater]
Format=1
Precision=9
Digits=2
'
# Only the language: the dimension is written first, then the number format
# with its defaults, each as a new section at the end.
prepared_language_only='[Language]
CommonLangExt=enu
'
written_after_language_only='[Language]
CommonLangExt=enu
[Coord]
Dim=3
[Formater]
Format=0
Precision=5
Digits=1'

failures=0
check() {
  run_case "$@" || failures=$((failures + 1))
}
# A case that has to fail, and for the given cause.
check_fails() {
  local cause=$1
  shift
  if run_case "$@"; then
    echo "SELF-CHECK FAILED: $1 passed" >&2
    failures=$((failures + 1))
  elif [[ "$reason" != *"$cause"* ]]; then
    echo "SELF-CHECK FAILED: $1 failed for another cause than '$cause'" >&2
    failures=$((failures + 1))
  else
    echo "$1: failed as it must"
  fi
}

if [ "$self_check" -eq 0 ]; then
  check 3d_german_typed "$folder" "$prepared_3d_german" \
    "$(settings_lines <(echo "$prepared_3d_german"))" type_into_3d_then_exit_german
  check 3d_to_2d_english "$folder" "$prepared_english_without_coord" \
    "$(settings_lines <(echo "$prepared_english_without_coord"))
[Coord]
Dim=2" switch_to_2d_then_exit_english
  check 2d_to_3d_german "$folder" "$prepared_2d_german" '[Coord]
Dim=3
[Language]
CommonLangExt=deu
[Formater]
Format=1
Precision=9
Digits=2' switch_to_3d_then_exit_german
  # The theta convention chosen there is kept for the next start.
  check tab_round_and_typing_after_switch "$folder" "$prepared_english_without_coord" \
    "$(settings_lines <(echo "$prepared_english_without_coord"))
[Coord]
Dim=3
ThetaConvention=1" tab_round_then_type_after_switch_english
  check new_sections_in_write_order "$folder" "$prepared_language_only" \
    "$written_after_language_only" exit_english
  check typing_at_start_through_math_error "$folder" "$prepared_language_only" \
    "$written_after_language_only" type_at_start_through_math_error_english
else
  expected_3d_german=$(settings_lines <(echo "$prepared_3d_german"))

  broken="$work/not-executable"
  cp -R "$folder" "$broken"
  chmod a-x "$broken/Tralmain"
  check_fails "before its window appeared" not_executable "$broken" \
    "$prepared_3d_german" "$expected_3d_german" type_into_3d_then_exit_german

  crash_after_start() {
    kill -SEGV "$program_pid" && sleep 0.5 && type_into_3d_then_exit_german
  }
  check_fails "the program ended" crashed "$folder" \
    "$prepared_3d_german" "$expected_3d_german" crash_after_start

  freeze_on_exit() {
    open_menu alt+d && kill -STOP "$program_pid" && keys b
  }
  exit_wait=5
  check_fails "did not end" frozen "$folder" \
    "$prepared_3d_german" "$expected_3d_german" freeze_on_exit
  exit_wait=${E2E_EXIT_WAIT:-30}

  # The program writes Dim=3; an expectation of 2 must not pass.
  check_fails "settings file differs" wrong_file "$folder" \
    "$prepared_3d_german" "${expected_3d_german/Dim=3/Dim=2}" type_into_3d_then_exit_german
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures scenario(s) failed" >&2
  exit 1
fi
if [ "$self_check" -eq 0 ]; then
  echo "all scenarios passed"
else
  echo "every planted fault made its scenario fail"
fi
