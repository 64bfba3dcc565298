#!/usr/bin/env bash
# Unpacks the program package (dpkg-deb -x) into a temporary root and checks
# it as a Debian maintainer would: the control fields, the exact list of
# files, the links the program relies on, stripped binaries, the manual pages
# compressed the Debian way, the desktop entry naming a program of the
# package, and the command line running from there.
#   package_layout.sh PACKAGES_DIR VERSION RUNTIME_DIR
set -euo pipefail
packages=$1
version=$2
runtime=$3

source "$(dirname "$0")/../ScriptChecks.sh"

arch=$(dpkg --print-architecture)
deb="$packages/tralto_${version}_${arch}.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb; found: $(ls "$packages")" >&2; exit 1; }

# --- control fields
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tralto ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version $(field Version), the project is $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
depends=$(field Depends)
# Only dpkg-shlibdeps knows the versioned library packages; the plugins Qt
# loads are named by hand.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins libqt6svg6; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "Depends lacks $package: $depends"
done
[[ "$depends" == *"libqt6widgets6 (>= "* ]] || fail "Depends names no computed Qt version: $depends"
[ "$(field Recommends)" = qt6-translations-l10n ] || fail "Recommends: $(field Recommends)"

# --- owner and the exact list of files
dpkg-deb --contents "$deb" >"$work/contents"
awk '$2 != "root/root" { print }' "$work/contents" >"$work/not-root"
[ ! -s "$work/not-root" ] || fail "entries not owned by root: $(cat "$work/not-root")"

root="$work/root"
dpkg-deb --extract "$deb" "$root"
app_id=org.example.Tralto
{
  echo usr/bin/Tralmain
  echo usr/bin/tralto
  echo usr/lib/tralto/Tralmain
  echo usr/lib/tralto/libGlyphbank.so
  echo usr/lib/tralto/language
  for file in "$runtime"/language/Sharedlex.*; do
    echo "usr/share/tralto/language/${file##*/}"
  done
  echo "usr/share/applications/$app_id.desktop"
  echo "usr/share/metainfo/$app_id.metainfo.xml"
  echo "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  for size in 16 22 24 32 48 64 128 256; do
    echo "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  done
  echo usr/share/man/man1/Tralmain.1.gz
  echo usr/share/man/man1/tralto.1.gz
  echo usr/share/doc/tralto/copyright
  echo usr/share/doc/tralto/changelog.gz
} | sort >"$work/expected"
(cd "$root" && find . ! -type d -printf '%P\n' | sort) >"$work/found"
cmp -s "$work/expected" "$work/found" ||
  fail "the package's files differ from the layout (< expected, > found):
$(diff "$work/expected" "$work/found")"

# --- what the program finds beside its real path
[ "$(readlink "$root/usr/bin/Tralmain")" = ../lib/tralto/Tralmain ] ||
  fail "/usr/bin/Tralmain links to '$(readlink "$root/usr/bin/Tralmain")'"
[ "$(readlink "$root/usr/lib/tralto/language")" = ../../share/tralto/language ] ||
  fail "/usr/lib/tralto/language links to '$(readlink "$root/usr/lib/tralto/language")'"
[ "$(realpath -e "$root/usr/bin/Tralmain" 2>/dev/null)" = "$(realpath "$root/usr/lib/tralto/Tralmain")" ] ||
  fail "/usr/bin/Tralmain does not lead to the program"
[ -x "$root/usr/lib/tralto/Tralmain" ] || fail "the program is not executable"
compgen -G "$root/usr/lib/tralto/language/Sharedlex.*" >/dev/null ||
  fail "no language files through /usr/lib/tralto/language"
find "$root" -type f -perm /022 | grep . >"$work/writable" && fail "writable by others: $(cat "$work/writable")"
find "$root" -type d ! -perm 755 | grep . >"$work/odd-dirs" && fail "folders not 755: $(cat "$work/odd-dirs")"

for binary in usr/bin/tralto usr/lib/tralto/Tralmain usr/lib/tralto/libGlyphbank.so; do
  LC_ALL=C readelf -S -W "$root/$binary" | grep -Eq '\.(debug_info|symtab) ' &&
    fail "$binary is not stripped"
done

# --- manual pages: gzip at maximum compression, no file name, no time stamp
for page in "$root"/usr/share/man/man1/*.gz "$root/usr/share/doc/tralto/changelog.gz"; do
  gzip --test "$page" || { fail "${page#"$root"} is no gzip file"; continue; }
  header=$(head -c 9 "$page" | od -An -tx1 | tr -d ' \n')
  [ "${header:6:10}" = 0000000000 ] || fail "${page#"$root"} keeps a name or time stamp: $header"
  [ "${header:16:2}" = 02 ] || fail "${page#"$root"} is not compressed at maximum: $header"
done
zcat "$root/usr/share/man/man1/tralto.1.gz" | grep -q '^\.TH TRALTO 1' || fail "tralto.1.gz is no manual page"
# The changelog's newest entry is this version, signed by the maintainer.
zcat "$root/usr/share/doc/tralto/changelog.gz" >"$work/changelog"
[[ "$(head -n 1 "$work/changelog")" == "tralto ($version) "* ]] ||
  fail "the changelog begins: $(head -n 1 "$work/changelog")"
signature=$(sed -n 's/^ -- \(.*\)  .*/\1/p' "$work/changelog" | head -n 1)
[ "$signature" = "$(field Maintainer)" ] ||
  fail "the changelog is signed '$signature', the Maintainer is '$(field Maintainer)'"

# --- the menu entry starts a program of the package; the metainfo validates
entry="$root/usr/share/applications/$app_id.desktop"
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$root/usr/bin/$exec_command" ] || fail "the entry's Exec '$exec_command' is not in /usr/bin"
[ "$(sed -n 's/^TryExec=//p' "$entry")" = "$exec_command" ] || fail "TryExec differs from Exec"
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >"$work/appstream" 2>&1 ||
    fail "the metainfo does not validate: $(cat "$work/appstream")"
fi

# --- the command line runs from the package
[ "$("$root/usr/bin/tralto" eval '2^3^2')" = 64 ] || fail "tralto eval does not run"
[[ "$("$root/usr/bin/tralto" --version)" == *"$version"* ]] || fail "tralto --version does not say $version"

report_checks "package layout"
