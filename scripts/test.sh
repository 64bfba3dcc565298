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
tralto_cmake_options

echo "== Build and test (build/)"
cmake -S . -B build "${TRALTO_CMAKE_OPTIONS[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=ON -DTRALTO_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)"
cmake -S . -B build-asan "${TRALTO_CMAKE_OPTIONS[@]}" -DCMAKE_BUILD_TYPE=Debug \
  -DBUILD_TESTING=ON -DTRALTO_WERROR=ON -DTRALTO_SANITIZE=ON -DTRALTO_BENCH=OFF
cmake --build build-asan -j "$jobs"
# Leaks are reported; only caches of system libraries are suppressed.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
