#!/usr/bin/env bash
# Registers an installed Tralto folder with the desktop for the current user:
# the menu entry, the icons and the AppStream description go to the user's
# XDG data folder ($XDG_DATA_HOME, else ~/.local/share). The program itself
# stays where it is; the entry starts it by its absolute path. Running it
# again replaces what an earlier run installed.
#
#   scripts/install-desktop.sh DIR    DIR is the folder that `cmake --install`
#                                     filled (it holds Tralmain and share/)
# Run from inside an installed folder, DIR defaults to that folder.
set -euo pipefail

app_id=org.example.Tralto

usage() {
  echo "Usage: $0 DIR   (DIR: the installed Tralto folder, holding Tralmain and share/)" >&2
  exit 2
}

if [ $# -gt 1 ]; then
  usage
elif [ $# -eq 1 ]; then
  dir=$1
else
  dir=$(dirname "$0")
  [ -x "$dir/Tralmain" ] || usage
fi
[ -d "$dir" ] || { echo "No such folder: $dir" >&2; exit 1; }
dir=$(cd "$dir" && pwd -P)
case $dir in
  *[[:cntrl:]]*) echo "The folder's path holds a control character; a desktop entry cannot name it: $dir" >&2; exit 1 ;;
esac
program="$dir/Tralmain"
source_share="$dir/share"
[ -x "$program" ] || { echo "Not an installed Tralto folder (no program $program)" >&2; exit 1; }
[ -f "$source_share/applications/$app_id.desktop" ] ||
  { echo "Not an installed Tralto folder (no $source_share/applications/$app_id.desktop)" >&2; exit 1; }

data_home=${XDG_DATA_HOME:-}
# By the XDG base-directory rules a relative value is to be ignored.
if [ -z "$data_home" ] || [ "${data_home#/}" = "$data_home" ]; then
  data_home="$HOME/.local/share"
fi

# Quotes a path as one argument of an Exec key: inside double quotes the
# characters " ` $ \ are escaped with a backslash, a literal % is doubled,
# and then, because Exec is a string value, every backslash is doubled once more.
exec_argument() {
  local quoted=$1
  quoted=${quoted//\\/\\\\}
  quoted=${quoted//\"/\\\"}
  quoted=${quoted//\`/\\\`}
  quoted=${quoted//\$/\\\$}
  quoted=${quoted//%/%%}
  quoted=${quoted//\\/\\\\}
  printf '"%s"' "$quoted"
}

# Copies a file unless the target already has the same content; the copy
# goes through a temporary file so that a reader never sees half a file.
place() {
  local source=$1 target=$2
  mkdir -p "${target%/*}"
  if [ -f "$target" ] && cmp -s "$source" "$target"; then
    echo "unchanged  $target"
    return
  fi
  install -m 644 "$source" "$target.tmp.$$"
  mv -f "$target.tmp.$$" "$target"
  echo "installed  $target"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The entry with the program's absolute path; TryExec hides the entry from
# menus should the folder be removed.
exec_value=$(exec_argument "$program")
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    Exec=*) printf 'Exec=%s\n' "$exec_value" ;;
    TryExec=*) printf 'TryExec=%s\n' "${program//\\/\\\\}" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$source_share/applications/$app_id.desktop" >"$work/$app_id.desktop"
place "$work/$app_id.desktop" "$data_home/applications/$app_id.desktop"

icons_found=0
for icon in "$source_share"/icons/hicolor/*/apps/"$app_id".*; do
  [ -f "$icon" ] || continue
  size_folder=${icon%/apps/*}
  size_folder=${size_folder##*/}
  place "$icon" "$data_home/icons/hicolor/$size_folder/apps/${icon##*/}"
  icons_found=$((icons_found + 1))
done
[ "$icons_found" -gt 0 ] || echo "warning: no icons found under $source_share/icons" >&2

if [ -f "$source_share/metainfo/$app_id.metainfo.xml" ]; then
  place "$source_share/metainfo/$app_id.metainfo.xml" "$data_home/metainfo/$app_id.metainfo.xml"
fi

# Menus and icon themes notice new files by their folders' times; the caches
# below are refreshed where the tools exist.
[ -d "$data_home/icons/hicolor" ] && touch "$data_home/icons/hicolor"
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q "$data_home/applications" &&
    echo "refreshed  $data_home/applications (update-desktop-database)"
fi
if [ -f "$data_home/icons/hicolor/index.theme" ] && command -v gtk-update-icon-cache >/dev/null 2>&1; then
  gtk-update-icon-cache -q -t "$data_home/icons/hicolor" &&
    echo "refreshed  $data_home/icons/hicolor (gtk-update-icon-cache)"
fi
echo "Tralto is in the applications menu; it starts $program"
