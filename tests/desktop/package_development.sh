#!/usr/bin/env bash
# Unpacks the development package into a temporary root, checks its files,
# and builds a project outside Tralto against it: find_package(Tralto) with
# only that root to search, the target Tralto::core, a program that runs.
#   package_development.sh PACKAGES_DIR VERSION CMAKE SOURCE_DIR [CONFIG]
set -euo pipefail
packages=$1
version=$2
cmake=$3
source=$4
config=${5:-noconfig}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
arch=$(dpkg --print-architecture)
deb="$packages/libtralto-dev_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb; found: $(ls "$packages")" >&2; exit 1; }
[ "$(dpkg-deb --field "$deb" Section)" = libdevel ] || { echo "FAIL: Section is not libdevel" >&2; exit 1; }

root="$work/root"
dpkg-deb --extract "$deb" "$root"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libdir="usr/lib/$multiarch"
{
  for header in expression/Parser.h coordinates/CoordSet3D.h coordinates/CoordSet2D.h \
    format/Formater.h format/SettingsStore.h; do
    echo "usr/include/tralto/$header"
  done
  echo "$libdir/libtralto_core.a"
  for file in TraltoConfig.cmake TraltoConfigVersion.cmake TraltoTargets.cmake \
    "TraltoTargets-${config,,}.cmake"; do
    echo "$libdir/cmake/Tralto/$file"
  done
  echo usr/share/doc/libtralto-dev/copyright
  echo usr/share/doc/libtralto-dev/changelog.gz
} | sort >"$work/expected"
(cd "$root" && find . ! -type d -printf '%P\n' | sort) >"$work/found"
if ! cmp -s "$work/expected" "$work/found"; then
  echo "FAIL: the package's files differ from the layout (< expected, > found):" >&2
  diff "$work/expected" "$work/found" >&2
  exit 1
fi
if LC_ALL=C readelf -S -W "$root/$libdir/libtralto_core.a" | grep -q '\.debug_info '; then
  echo "FAIL: the static library keeps its debug information" >&2
  exit 1
fi
"$cmake" "-DSOURCE=$source" "-DPREFIX=$root/usr" "-DSCRATCH=$work/consumer" \
  -P "$source/tests/consumer/CheckInstalled.cmake"
