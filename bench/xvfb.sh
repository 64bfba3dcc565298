# Shared by the benchmarks that start the program on a display of its own.
# Sourced, not run: it makes the scratch folder $work and, at exit, stops
# what the script left running (program_pid, helper_pid, xvfb_pid) and removes
# the folder.

work=$(mktemp -d)
xvfb_pid=
program_pid=
helper_pid=
tralto_bench_cleanup() {
  [ -n "$program_pid" ] && kill -KILL "$program_pid" 2>/dev/null
  [ -n "$helper_pid" ] && wait "$helper_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill -TERM "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap tralto_bench_cleanup EXIT

# Starts Xvfb with a screen of the given size (for example 1280x1024), on a
# display number it picks itself. Sets xvfb_pid, for the caller's clean-up,
# and xvfb_display (":N") once the server accepts connections; ends the
# script with a message when it does not start within ten seconds.
tralto_start_xvfb() {
  local work=$1 screen=$2 tenth
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for ((tenth = 0; tenth < 100; ++tenth)); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start within 10 s" >&2; exit 1; }
  xvfb_display=":$(head -n 1 "$work/display")"
}
