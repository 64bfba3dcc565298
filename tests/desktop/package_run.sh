#!/usr/bin/env bash
# Runs the program of the Debian package as a user of the installed package
# does: the package unpacked (dpkg-deb -x) into a temporary root whose
# folders cannot be written, the program started by the desktop entry's
# command on a virtual X server, HOME a fresh folder. The first start asks
# for the language and leaves the settings in ~/.config/tralto/Tralmain.ini;
# the second start reads them back: no question, the stored language and
# number format. Run by root, the program runs as the user nobody, since root
# may write anywhere.
#   package_run.sh PACKAGES_DIR VERSION
# Exit status 77: Xvfb, xdotool or setpriv is missing.
set -uo pipefail
packages=$1
version=$2

for tool in Xvfb xdotool timeout; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is missing" >&2; exit 77; }
done
runner=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null 2>&1 || { echo "SKIP: setpriv is missing" >&2; exit 77; }
  runner=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
fi
deb="$packages/tralto_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "FAIL: no $deb" >&2; exit 1; }

window_wait=45
step_wait=10
work=$(mktemp -d)
chmod 755 "$work"
xvfb_pid=
program_pid=
stop_process() {
  kill -0 "$1" 2>/dev/null || return 0
  kill -TERM "$1" 2>/dev/null
  sleep 1
  kill -KILL "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
cleanup() {
  [ -n "$program_pid" ] && stop_process "$program_pid"
  [ -n "$xvfb_pid" ] && stop_process "$xvfb_pid"
  chmod -R u+w "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/program.log" ] && { echo "--- program output"; tail -n 20 "$work/program.log"; } >&2
  exit 1
}

root="$work/root"
dpkg-deb --extract "$deb" "$root"
chmod -R a-w "$root/usr"
listing() { (cd "$root" && find . -printf '%P %m\n' | sort); }
listing >"$work/root-before"

home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
[ ${#runner[@]} -eq 0 ] || chown nobody "$home" "$work/runtime"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=":$(head -n 1 "$work/display")"

# The command of the menu entry, found on the PATH as a desktop finds it.
entry="$root/usr/share/applications/org.example.Tralto.desktop"
command=$(sed -n 's/^Exec=//p' "$entry")

# The visible windows of the program, one "ID NAME" a line; the main
# window's name holds "Tralto".
windows() {
  local window
  for window in $(DISPLAY=$display timeout "$step_wait" xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
    echo "$window $(DISPLAY=$display timeout "$step_wait" xdotool getwindowname "$window")"
  done
}
count_is() { [ "$(grep -c .)" -eq "$1" ]; }
only_main_window() { grep . | { read -r _ name && [[ "$name" == *Tralto* ]] && ! read -r _; }; }
another_window() { grep -qv ' .*Tralto'; }
# Waits until the program's windows fulfil CONDITION (a command that reads
# the lines of `windows`).
wait_until() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until windows | "$@"; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended while waiting: $what"
    [ "$SECONDS" -lt "$deadline" ] || fail "$what; windows: $(windows)"
    sleep 0.2
  done
}
# Focuses the given window, as a click would, and types the keys into it.
keys_into() {
  local window=$1
  shift
  DISPLAY=$display timeout "$step_wait" xdotool windowfocus --sync "$window" key --delay 50 "$@" ||
    fail "xdotool cannot type $* into window $window"
}
start_program() {
  env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$home" DISPLAY="$display" \
    XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 \
    "${runner[@]}" sh -c "exec $command" >"$work/program.log" 2>&1 &
  program_pid=$!
}
# Opens the file menu of the main window with its Alt key, picks the exit
# item, and waits for a clean end.
exit_through_menu() {
  local menu_key=$1 exit_key=$2 main
  main=$(windows | head -n 1 | cut -d ' ' -f 1)
  keys_into "$main" "$menu_key"
  wait_until "the menu did not open after $menu_key" "$step_wait" count_is 2
  DISPLAY=$display timeout "$step_wait" xdotool key "$exit_key"
  local deadline=$((SECONDS + 30)) status=0
  while kill -0 "$program_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end after $menu_key $exit_key"
    sleep 0.2
  done
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
settings_lines() { grep -v '^[[:space:]]*$' "$1"; }
settings="$home/.config/tralto/Tralmain.ini"

# --- first start: no settings anywhere; the language question is closed
# without a choice, which means English.
start_program
wait_until "no language question within $window_wait s" "$window_wait" another_window
question=$(windows | grep -v ' .*Tralto' | head -n 1 | cut -d ' ' -f 1)
keys_into "$question" Escape
wait_until "the language question did not give way to the main window" "$step_wait" only_main_window
grep -qF "$root/usr/lib/tralto/libGlyphbank.so" "/proc/$program_pid/maps" ||
  fail "the program did not load the package's glyph library"
# English menus: the language file came through /usr/lib/tralto/language
# (the program's own texts are German).
exit_through_menu alt+f x

[ -f "$settings" ] || fail "no settings file $settings; files under HOME: $(find "$home" -type f)"
expected='[Coord]
Dim=3
[Language]
CommonLangExt=enu
[Formater]
Format=0
Precision=5
Digits=1'
[ "$(settings_lines "$settings")" = "$expected" ] ||
  fail "the first start wrote: $(cat "$settings")"
[ "$(find "$home" "$root" -iname '*.ini' | wc -l)" -eq 1 ] ||
  fail "settings files elsewhere: $(find "$home" "$root" -iname '*.ini')"

# --- second start: the stored German and the number format are read back,
# so the main window comes alone and its German menu ends the program.
prepared='; the user'"'"'s own note
[Language]
CommonLangExt=deu
[Coord]
Dim=3
[Formater]
Format=1
Precision=9
Digits=2
'
printf '%s' "$prepared" >"$settings"
start_program
wait_until "no main window within $window_wait s" "$window_wait" only_main_window
sleep 1
windows | only_main_window || fail "a question appeared although the language is stored: $(windows)"
exit_through_menu alt+d b
[ "$(settings_lines "$settings")" = "$(settings_lines <(printf '%s' "$prepared"))" ] ||
  fail "the second start did not keep what it read: $(cat "$settings")"

listing >"$work/root-after"
cmp -s "$work/root-before" "$work/root-after" ||
  fail "the program changed its root: $(diff "$work/root-before" "$work/root-after")"
echo "the packaged program keeps its settings in ~/.config/tralto and reads them back"
