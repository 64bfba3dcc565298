#!/usr/bin/env bash
# Installs what is missing, builds Tralto and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

tralto_install_packages "${TRALTO_BUILD_PACKAGES[@]}"
tralto_configure build "${TRALTO_PROGRAM_BUILD[@]}" -DBUILD_TESTING=OFF -DTRALTO_BENCH=OFF
cmake --build build -j "$(tralto_jobs)"
exec build/bin/Tralmain
