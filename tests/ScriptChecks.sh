# Sourced by the test scripts that check many things and report every failure
# before they end: a scratch folder `work`, removed at exit; `fail` counts a
# failed check; `report_checks NAME` ends the script with the count.

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

report_checks() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$1: all checks passed"
}
