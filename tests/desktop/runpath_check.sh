#!/usr/bin/env bash
# Reads the dynamic section of every ELF program and library under the given
# folders (or the given files) and fails when a library search path (RPATH or
# RUNPATH) holds an empty or relative entry: the loader resolves those against
# the working folder, so a library planted there would be loaded. Allowed are
# $ORIGIN (and paths below it) and absolute paths.
#   runpath_check.sh FOLDER_OR_FILE...
#   runpath_check.sh --self-check GOOD_BINARY   (a planted bad copy must fail)
set -euo pipefail
command -v readelf >/dev/null || { echo "readelf (binutils) is missing" >&2; exit 2; }

# Prints one line per bad entry of the file; nothing when the file is sound.
bad_entries() {
  local file=$1 paths entry
  paths=$(LC_ALL=C readelf -d -W "$file" 2>/dev/null \
    | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p') || true
  while IFS= read -r paths_line; do
    # An entry list "a::b" or ":a" or "a:" holds empty entries; keep them.
    IFS=: read -r -a entries <<<"$paths_line:"
    for entry in "${entries[@]}"; do
      case $entry in
        '$ORIGIN' | '$ORIGIN/'* | '${ORIGIN}' | '${ORIGIN}/'* | /*) ;;
        '') echo "$file: empty search path entry in [$paths_line]"; break ;;
        *) echo "$file: relative search path entry '$entry' in [$paths_line]"; break ;;
      esac
    done
  done < <(printf '%s\n' "$paths" | sed '/^$/d')
}

is_elf() {
  [ "$(head -c 4 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 7f454c46 ]
}

check() {
  local found=0 checked=0 file report
  while IFS= read -r -d '' file; do
    is_elf "$file" || continue
    checked=$((checked + 1))
    report=$(bad_entries "$file")
    if [ -n "$report" ]; then
      echo "$report" >&2
      found=1
    fi
  done < <(find "$@" -type f \( -perm -u+x -o -name '*.so' -o -name '*.so.*' \) -print0)
  echo "checked $checked binaries"
  [ "$checked" -gt 0 ] || { echo "no binaries found under $*" >&2; return 1; }
  return $found
}

if [ "${1:-}" = --self-check ]; then
  good=$2
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  check "$good" >/dev/null || { echo "the good binary $good already fails" >&2; exit 1; }
  grep -q -a '\$ORIGIN' "$good" || { echo "$good carries no \$ORIGIN to change" >&2; exit 1; }
  # The same length as "$ORIGIN", so the file stays a valid program:
  # seven empty entries (what a padded build path looks like) and a
  # relative folder after an empty entry.
  for planted in ':::::::' ':ORIGIN'; do
    LC_ALL=C sed "s/\\\$ORIGIN/$planted/g" "$good" >"$work/planted"
    chmod +x "$work/planted"
    if check "$work/planted" >/dev/null 2>&1; then
      echo "a binary with the search path [$planted] passed the check" >&2
      exit 1
    fi
  done
  echo "planted binaries fail the check"
  exit 0
fi
check "$@"
