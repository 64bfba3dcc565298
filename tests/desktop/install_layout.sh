#!/usr/bin/env bash
# Lays out the program folder with `cmake --install` into a temporary prefix
# whose path holds a space, checks it, then registers it with
# install-desktop.sh for a temporary user and checks what the desktop sees.
#   install_layout.sh CMAKE BUILD_DIR RUNTIME_DIR
set -euo pipefail
cmake=$1
build=$2
runtime=$3

source "$(dirname "$0")/../ScriptChecks.sh"
app_id=org.example.Tralto
sizes="16 22 24 32 48 64 128 256"
expect_file() {
  [ -f "$1" ] || fail "missing $1"
}

prefix="$work/Tralto folder"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log"
prefix=$(cd "$prefix" && pwd -P)
bash "$(dirname "$0")/runpath_check.sh" "$prefix" >/dev/null \
  || fail "an installed binary searches libraries in the working folder"

# --- the program folder
if [ ! -f "$prefix/Tralmain" ] || [ ! -x "$prefix/Tralmain" ]; then
  fail "Tralmain missing or not executable"
fi
# The command line beside the program, with its manual page, runs from the folder.
if [ ! -x "$prefix/tralto" ]; then
  fail "tralto missing or not executable"
elif [ "$("$prefix/tralto" eval 1+1 2>&1)" != 2 ]; then
  fail "the installed tralto does not run: $("$prefix/tralto" eval 1+1 2>&1)"
fi
expect_file "$prefix/share/man/man1/tralto.1"
for folder in bin lib64 libexec; do
  [ ! -e "$prefix/$folder" ] || fail "$folder/ in the program folder; the layout is flat"
done
# Beside the program folder's files only the engine for C++ programs: its
# headers, its static library and its CMake package.
unexpected=$(cd "$prefix" && find include lib -type f 2>/dev/null |
  grep -Ev '^include/tralto/(expression|coordinates|format)/[A-Za-z0-9]+\.h$|^lib/libtralto_core\.a$|^lib/cmake/Tralto/Tralto[A-Za-z-]*\.cmake$' || true)
[ -z "$unexpected" ] || fail "more than the engine under include/ and lib/: $unexpected"
expect_file "$prefix/lib/cmake/Tralto/TraltoConfig.cmake"
[ ! -e "$prefix/Tralmain.ini" ] || fail "a settings file was installed"
# Whatever the program finds beside itself in the build must be beside it
# when installed: the glyph library, the language files. (A shared library
# needs no execute bit to be loaded; Debian's CMake installs it without one.)
while IFS= read -r -d '' file; do
  relative=${file#"$runtime"/}
  if [ ! -f "$prefix/$relative" ]; then
    fail "$relative is in $runtime but was not installed"
  elif [ -x "$file" ] && [ ! -x "$prefix/$relative" ] && [[ "$relative" != *.so ]]; then
    fail "$relative lost its execute permission"
  fi
done < <(find "$runtime" -type f ! -name '*.ini' -print0)
if [ -d "$runtime/language" ]; then
  compgen -G "$prefix/language/Sharedlex.*" >/dev/null || fail "no language files in language/"
else
  echo "note: the build has no language folder yet; language/ not checked"
fi
if command -v readelf >/dev/null 2>&1; then
  readelf -d "$prefix/Tralmain" | grep -Eq 'R(UN)?PATH.*\$ORIGIN' ||
    fail "Tralmain does not look for libraries in its own folder (no \$ORIGIN run path)"
fi

share="$prefix/share"
expect_file "$share/applications/$app_id.desktop"
expect_file "$share/metainfo/$app_id.metainfo.xml"
expect_file "$share/icons/hicolor/scalable/apps/$app_id.svg"
for size in $sizes; do
  expect_file "$share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
[ -x "$prefix/install-desktop.sh" ] || fail "install-desktop.sh missing from the program folder"

# --- registering the folder for a user
check_registration() {
  local data=$1
  local entry="$data/applications/$app_id.desktop"
  expect_file "$entry"
  [ -f "$entry" ] || return 0
  grep -qxF "Exec=\"$prefix/Tralmain\"" "$entry" ||
    fail "Exec in $entry is not the quoted absolute program path: $(grep '^Exec=' "$entry")"
  grep -qxF "TryExec=$prefix/Tralmain" "$entry" || fail "TryExec in $entry: $(grep '^TryExec=' "$entry")"
  grep -qxF "Icon=$app_id" "$entry" || fail "Icon in $entry is not the icon's name"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" >"$work/validate.log" 2>&1 || true
    if grep -Eq 'error:|warning:' "$work/validate.log"; then
      fail "the registered entry does not validate: $(cat "$work/validate.log")"
    fi
  fi
  expect_file "$data/icons/hicolor/scalable/apps/$app_id.svg"
  for size in $sizes; do
    cmp -s "$share/icons/hicolor/${size}x${size}/apps/$app_id.png" \
      "$data/icons/hicolor/${size}x${size}/apps/$app_id.png" || fail "icon ${size}x${size} not registered"
  done
  cmp -s "$share/metainfo/$app_id.metainfo.xml" "$data/metainfo/$app_id.metainfo.xml" ||
    fail "metainfo not registered"
}

mkdir -p "$work/home"
HOME="$work/home" XDG_DATA_HOME="$work/data" "$prefix/install-desktop.sh" "$prefix" >"$work/first.log"
check_registration "$work/data"
[ -z "$(ls -A "$work/home")" ] || fail "files written under HOME although XDG_DATA_HOME was set"
snapshot() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
snapshot "$work/data" >"$work/before"

# Again, from inside the folder without an argument: nothing changes.
(cd / && HOME="$work/home" XDG_DATA_HOME="$work/data" "$prefix/install-desktop.sh") >"$work/second.log"
snapshot "$work/data" >"$work/after"
cmp -s "$work/before" "$work/after" || fail "a second run changed the files: $(diff "$work/before" "$work/after")"
grep -q '^installed' "$work/second.log" && fail "a second run installed again: $(cat "$work/second.log")"
find "$work/data" -name '*.tmp.*' | grep -q . && fail "temporary files left behind"

# Without XDG_DATA_HOME the user's ~/.local/share is used.
mkdir -p "$work/home2"
env -u XDG_DATA_HOME HOME="$work/home2" "$prefix/install-desktop.sh" "$prefix" >/dev/null
check_registration "$work/home2/.local/share"

# A folder without the program is refused.
if HOME="$work/home" XDG_DATA_HOME="$work/data3" "$prefix/install-desktop.sh" "$work/home" >/dev/null 2>&1; then
  fail "a folder without Tralmain was accepted"
fi
[ ! -e "$work/data3" ] || fail "a refused folder still wrote files"

# A moved folder whose path holds the characters that an Exec value must
# escape: the entry names the new place, escaped so that it still validates.
odd="$work/"'a "b" $c `d` 5% e\f'
mv "$prefix" "$odd"
HOME="$work/home" XDG_DATA_HOME="$work/data" "$odd/install-desktop.sh" "$odd" >/dev/null
grep -qxF 'Exec="'"$work"'/a \\"b\\" \\$c \\`d\\` 5%% e\\\\f/Tralmain"' "$work/data/applications/$app_id.desktop" ||
  fail "Exec for an odd path: $(grep '^Exec=' "$work/data/applications/$app_id.desktop")"
if command -v desktop-file-validate >/dev/null 2>&1 &&
  desktop-file-validate "$work/data/applications/$app_id.desktop" 2>&1 | grep -Eq 'error:|warning:'; then
  fail "the entry for an odd path does not validate"
fi

report_checks "install layout and desktop registration"
