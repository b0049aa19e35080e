#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for a fixed time on a
# copy of its seed corpus. Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTABULINK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
targets=()
for src in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$src" .cpp)")
done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
status=0
for t in "${targets[@]}"; do
  seeds="fuzz/corpus/${t#fuzz_}"
  mkdir -p "$work/$t" "$work/$t-artifacts"
  [ -d "$seeds" ] && cp "$seeds"/* "$work/$t"/ 2>/dev/null || true
  echo "fuzzing $t for ${seconds}s"
  if ! build-fuzz/fuzz/"$t" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$work/$t-artifacts/" -print_final_stats=1 "$work/$t" 2>"$work/$t.log"; then
    echo "FINDING in $t:"; tail -40 "$work/$t.log"
    mkdir -p fuzz/findings && cp "$work/$t-artifacts"/* fuzz/findings/ 2>/dev/null || true
    status=1
  else
    grep -E 'stat::number_of_executed_units' "$work/$t.log" | sed "s/^/  $t: /"
  fi
done
exit $status
