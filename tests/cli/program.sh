#!/usr/bin/env bash
# The built `tralto` as a script uses it: exit statuses, what goes to standard output and what
# to standard error, odd input bytes, failing streams, round trips through the program.
#   program.sh TRALTO VERSION
set -uo pipefail
tralto=$1
version=$2
source "$(dirname "$0")/../ScriptChecks.sh"

# run NAME STATUS STDOUT STDERR [ARGS...] < input: compares all three.
run() {
  local name=$1 status=$2 out=$3 err=$4
  shift 4
  "$tralto" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "$name: exit status $got, expected $status"
  [ "$(cat "$work/out"; echo .)" = "$(printf '%b' "$out"; echo .)" ] ||
    fail "$name: output $(od -c "$work/out" | head -5)"
  [ "$(cat "$work/err"; echo .)" = "$(printf '%b' "$err"; echo .)" ] ||
    fail "$name: errors $(cat "$work/err")"
}

# --- the command line is the engine alone: no Qt
if command -v ldd >/dev/null 2>&1 && ldd "$tralto" | grep -q 'libQt'; then
  fail "tralto links Qt: $(ldd "$tralto" | grep libQt)"
fi

# --- help, version, usage
"$tralto" --help >"$work/help" || fail "--help exit status"
grep -q '^Usage: tralto eval' "$work/help" || fail "--help has no usage line"
for word in --from --to --theta --deg --format --precision --digits --exact --separator \
  --keep-going --no-header 'EXIT STATUS' cartesian2 polar; do
  grep -q -- "$word" "$work/help" || fail "--help does not mention $word"
done
run "version" 0 "tralto $version\n" "" --version </dev/null
run "no command" 2 "" "tralto: usage: no command given\nTry 'tralto --help'.\n" </dev/null
run "bad precision" 2 "" "tralto: usage: --precision must lie between 2 and 18, not 40\nTry 'tralto --help'.\n" \
  eval --precision 40 1 </dev/null

# --- the evaluator's trace never reaches either stream
run "no trace" 0 "-3\n0.84147\n1.4142\n" "" eval -- '-(1+2)' 'sin 1' 'sqrt 2' </dev/null
run "no trace with an error" 1 "" \
  "tralto: expression 1 \"-sqrt(-1)\": sqrt: DOMAIN error (a negative argument)\n" \
  eval -- '-sqrt(-1)' </dev/null
# The locale never changes the decimal separator.
german=$(locale -a 2>/dev/null | grep -i -m1 '^de_DE') || true
if [ -n "$german" ]; then
  LC_ALL=$german run "locale" 0 "3.1416\n" "" eval pi </dev/null
fi

# --- point files on standard input
printf 'x;y;z\r\n1;0;0\r\n0;2;0' | run "semicolons, CR-LF, no final line break" 0 \
  "r;theta;phi\n1;1.5708;0\n2;1.5708;1.5708\n" "" convert --from cartesian --to spherical
printf '1,0,0\n1,\0,0\n3,0,0\n' | run "zero byte stops the run" 1 "1,1.5708,0\n" \
  'tralto: line 2, field 2 "\\x00": holds a zero byte\n' convert --from cartesian --to spherical
printf '1,0,0\n1,\xc3\x28,0\n3,0,0\n' | run "invalid UTF-8, keep going" 1 "1,1.5708,0\n,,\n3,1.5708,0\n" \
  "tralto: line 2, field 2 \"\\\\xC3(\": a number, pi, a function or '(' is missing or out of place\n" \
  convert --from cartesian --to spherical --keep-going
{ head -c 3000000 /dev/zero | tr '\0' 7; printf '\n1 0 0\n'; } | run "a line of 3 MB" 1 ",,\n1 1.5708 0\n" \
  "tralto: line 1: longer than 1048576 bytes\n" convert --from cart --to sph --keep-going

# A line that never ends is reported once it passes the limit, and the run stops.
timeout 60 "$tralto" eval </dev/zero >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "endless line: exit status $status"
[ "$(cat "$work/err")" = "tralto: line 1: longer than 1048576 bytes" ] ||
  fail "endless line: $(head -c 300 "$work/err")"

# --- the output file is replaced only by a run that ends well
printf 'old\n' >"$work/out.csv"
printf '1,0,0\n2pi,0,0\n' | run "failed -o" 1 "" \
  "tralto: line 2, field 1 \"2pi\": '2pi' is not a number\ntralto: $work/out.csv: not written: the run stopped before the end\n" \
  convert --from cart --to sph -o "$work/out.csv"
[ "$(cat "$work/out.csv")" = old ] || fail "a failed -o changed the old file"
printf '1,0,0\n' | run "-o" 0 "" "" convert --from cart --to sph -o "$work/new.csv"
[ "$(cat "$work/new.csv")" = "1,1.5708,0" ] || fail "-o did not write the file"
# Interrupted half way: the old file stays, no temporary file is left.
mkfifo "$work/fifo"
"$tralto" convert --from cart --to sph -o "$work/out.csv" <"$work/fifo" &
converter=$!
exec 3>"$work/fifo"
printf '1,0,0\n' >&3
sleep 1
ls "$work" | grep -q '^out\.csv\.' || fail "-o writes no temporary file beside the file"
kill -TERM "$converter"
wait "$converter"
[ $? -eq $((128 + 15)) ] || fail "an interrupted run does not end by its signal"
exec 3>&-
[ "$(cat "$work/out.csv")" = old ] || fail "an interrupted -o changed the old file"
leftovers=$(ls "$work" | grep '\.csv\.')
[ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"
# Something that is no plain file is written directly, never replaced.
if [ -w /dev/full ]; then
  "$tralto" eval 1 -o /dev/full 2>"$work/err"
  [ $? -eq 2 ] || fail "-o /dev/full is not a failure"
  [ -c /dev/full ] || fail "-o replaced the device /dev/full"
fi

# --- failing streams
if [ -w /dev/full ]; then
  "$tralto" eval 1 >/dev/full 2>"$work/err"
  [ $? -eq 2 ] || fail "a full disk is not a failure"
  grep -q '^tralto: standard output: ' "$work/err" || fail "a full disk is not reported: $(cat "$work/err")"
fi
"$tralto" eval <"$work" >/dev/null 2>"$work/err"
[ $? -eq 2 ] || fail "an unreadable input is not a failure"
grep -q '^tralto: standard input: ' "$work/err" || fail "an unreadable input is not reported"

# --- round trips through the program, both theta conventions
points='1,2,3
-4.5,0.25,-7
0,0,-2
1e-3,2e5,-3'
for theta in z-axis xy-plane; do
  printf '%s\n' "$points" | "$tralto" convert --from cart --to sph --theta $theta --deg --exact |
    "$tralto" convert --from sph --to cart --theta $theta --deg --exact >"$work/back" ||
    fail "round trip with theta $theta failed"
  paste -d, <(printf '%s\n' "$points") "$work/back" | awk -F, -v theta=$theta '
    function abs(v) { return v < 0 ? -v : v }
    { size = 1; for (i = 1; i <= 3; ++i) if (abs($i) > size) size = abs($i)
      for (i = 1; i <= 3; ++i) if (abs($i - $(i + 3)) > 1e-12 * size) {
        print "round trip (theta " theta "): " $0; bad = 1 } }
    END { exit bad }' || fail "round trip with theta $theta changed a point"
done

report_checks "tralto program"
