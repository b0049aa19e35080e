#!/bin/sh
# Builds and runs the file list benchmark.
# Usage: bench/bench_browse.sh [number of files]   (run from the source folder)
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build --target bench_browse -j2 >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_CONFIG_HOME=$(mktemp -d) build/bench/bench_browse "$@"
