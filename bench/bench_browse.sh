#!/bin/sh
# Builds and runs the file list benchmark against the libraries in build/.
# Usage: bench/bench_browse.sh [number of files]   (run from the source folder)
set -e
cd "$(dirname "$0")/.."
cmake --build build --target tabulink_ui -j2 >/dev/null
out=build/bench_browse
# MOC is not needed: the benchmark declares no QObject of its own.
g++ -std=c++17 -O2 -fPIC -Isrc bench/bench_browse.cpp -o "$out" \
    build/libtabulink_ui.a build/libtabulink_core.a \
    $(pkg-config --cflags --libs Qt6Widgets Qt6Gui Qt6Core Qt6Test)
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} XDG_CONFIG_HOME=$(mktemp -d) "$out" "$@"
