#!/usr/bin/env bash
# Installs what is missing, builds Tralto with its tests and runs every test:
# once in an ordinary build, once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, so that memory errors and undefined behaviour fail.
# Both builds treat warnings as errors; the test run includes the format check
# (clang-format) and the check of the folders' floors.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

tralto_install_packages "${TRALTO_BUILD_PACKAGES[@]}" "${TRALTO_TEST_PACKAGES[@]}"
jobs=$(tralto_jobs)

echo "== Build and test (build/)"
tralto_configure build "${TRALTO_PROGRAM_BUILD[@]}" -DBUILD_TESTING=ON -DTRALTO_WERROR=ON
cmake --build build -j "$jobs"
# Twice as many tests as cores: many of them wait (for a window, a pause, a
# child process) more than they compute.
ctest --test-dir build --output-on-failure -j "$((jobs * 2))"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
# Built with clang: it compiles the instrumented code in two thirds of GCC's
# time, its UndefinedBehaviorSanitizer checks more (enumeration values among
# them), and its warnings join GCC's from the first pass.
tralto_configure build-asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DBUILD_TESTING=ON -DTRALTO_WERROR=ON -DTRALTO_SANITIZE=ON -DTRALTO_BENCH=OFF
cmake --build build-asan -j "$jobs"
# Leaks are reported; only caches of system libraries are suppressed.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$((jobs * 2))"
