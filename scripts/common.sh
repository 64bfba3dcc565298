# Shared by run.sh and test.sh: installs the Debian packages that are missing.
# Sourced, not run.

# Installs each named Debian package that is not installed yet, as root or
# through sudo; does nothing when everything is there.
tralto_install_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These Debian packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs.
TRALTO_BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgl-dev libqt6svg6 qt6-qpa-plugins
  # Qt's own texts (context menus, standard buttons) in the user's language
  qt6-translations-l10n
  # dpkg-shlibdeps, which computes the Debian package's dependencies
  dpkg-dev
)

# What the tests, the sanitizer pass, the fuzz replay and the benchmarks need.
TRALTO_TEST_PACKAGES=(
  clang libclang-rt-14-dev clang-format
  libbenchmark-dev libmuparser-dev
  xvfb xauth xdotool x11-utils xclip
  # bc and numpy (the vectorised conversion it compares with) for bench/cli_throughput.sh
  bc python3-numpy
  desktop-file-utils appstream libx11-dev
  # the checker of the Debian package, and man-db, with which it renders
  # the manual pages
  lintian man-db
  # readelf for the search-path check of the built binaries; GNU time for the
  # benchmarks' peak memory
  binutils time
  # DejaVu Serif, the typeface of the test that redraws the glyph bitmaps
  fonts-dejavu-core fonts-dejavu-extra
)

# Configures a build folder: tralto_configure FOLDER [CMAKE OPTIONS...].
# Both scripts share build/, so they give it the same options and neither
# rebuilds what the other built. Ninja builds a new folder (it starts each
# step sooner than make); a folder made earlier keeps its generator. Debug
# information is line tables only (-g1): backtraces keep their functions,
# files and lines, and compiling takes a quarter less time than with full
# debug information. ccache is used where the machine has it; nothing
# installs it.
tralto_configure() {
  local folder=$1
  shift
  local options=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_CXX_FLAGS_DEBUG="-g1")
  if [ ! -f "$folder/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
    options+=(-G Ninja)
  fi
  if command -v ccache >/dev/null 2>&1; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$folder" "${options[@]}" "$@"
}

# How both scripts build the program in build/. Each product folder is
# compiled in a few large units, which takes a fifth less time than one unit
# per source; the sanitizer build keeps one unit per source, so every source
# must still compile on its own.
TRALTO_PROGRAM_BUILD=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON)

tralto_jobs() {
  nproc 2>/dev/null || echo 2
}
