#!/bin/bash
# Builds Tabulink with its tests and runs every test headless: the ordinary
# build, the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh chromium clang libclang-rt-14-dev
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

echo "== build and test =="
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs") | tee -a "$log"

echo "== the same tests with AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DTABULINK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-asan && ctest --output-on-failure -j"$jobs") | tee -a "$log"

echo "== fuzzing =="
scripts/fuzz.sh "${TABULINK_FUZZ_SECONDS:-20}" | tee -a "$log"

# Every pass above stops the script on a failure, so reaching here means all passed.
tests=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | awk '{ s += $1 } END { print s + 0 }')
fuzzers=$(grep -c 'stat::number_of_executed_units' "$log" || true)
echo "total: $((tests + fuzzers)) passed, 0 failed"
