#!/usr/bin/env bash
# Renders the format dialog in English and German under Xvfb, with the real X
# platform and the system's fonts, into docs/screenshot-format-dialog-<code>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build --target format_dialog_screenshot -j 2
for code in enu deu; do
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    build/tools/format_dialog_screenshot build/bin/language "$code" \
    "docs/screenshot-format-dialog-$code.png"
done
