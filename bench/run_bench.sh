#!/bin/sh
# Times tabulink-batch against plain byte-level C++ programs doing the same
# jobs and against the tools people use instead, and prints CPU-time
# medians, the ratios with their goals ("held" or "missed") and the peak
# memory of the table page. Fails when a baseline writes other bytes.
#
#   bench/run_bench.sh                 # build/, 5 runs per program
#   BUILD=/tmp/b REPEAT=9 bench/run_bench.sh
#
# The data (about 150 MB and 100,000 files) is written once into
# $BUILD/bench-data; the pages go to $BUILD/bench-out. Nothing is written
# into the source tree. Peer tools that are missing are listed as such:
#   apt-get install miller python3-pandas pandoc tree txt2html
# (Miller is the yardstick of the table page's "5x faster" goal.)
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
REPEAT=${REPEAT:-5}

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" >/dev/null
fi
cmake --build "$BUILD" --target tabulink-batch -j2 >/dev/null

# The baselines use no framework: the compiler, the standard library, POSIX
# and, for the link page's UTF-8 file names, iconv.
mkdir -p "$BUILD/bench-bin"
for job in table links text; do
    if [ ! -x "$BUILD/bench-bin/baseline_$job" ] || \
       [ "$ROOT/bench/baseline_$job.cpp" -nt "$BUILD/bench-bin/baseline_$job" ] || \
       [ "$ROOT/bench/baseline_common.h" -nt "$BUILD/bench-bin/baseline_$job" ]; then
        ${CXX:-g++} -O2 -std=c++17 -Wall -o "$BUILD/bench-bin/baseline_$job" "$ROOT/bench/baseline_$job.cpp"
    fi
done

python3 "$ROOT/bench/gen_data.py" "$BUILD/bench-data" >/dev/null

echo "machine: $(nproc) cores, $(uname -r)"

echo "load before: $(uptime)"
status=0
python3 "$ROOT/bench/batch_timing.py" \
    --batch "$BUILD/tabulink-batch" --baselines "$BUILD/bench-bin" \
    --data "$BUILD/bench-data" --out "$BUILD/bench-out" --repeat "$REPEAT" || status=$?
echo "load after: $(uptime)"
exit $status

