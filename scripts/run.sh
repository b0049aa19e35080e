#!/bin/bash
# Builds Tabulink and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tabulink
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Tabulink under Xvfb (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1024x768x24" build/tabulink
fi
exec build/tabulink
