#!/bin/sh
# Times tabulink-batch writing the table pages of many small CSV files into
# one folder (-O), on one core and on two, and prints the medians and the
# ratio. Not a test: run it by hand on an otherwise idle machine.
#
#     bench/batch_many_files.sh BUILD_DIR [FILES] [RUNS]
#
# The files go under $TMPDIR (default /tmp): TMPDIR=/dev/shm times the
# program without the disk, whose syncs dominate otherwise.
set -eu
BUILD=${1:?usage: batch_many_files.sh BUILD_DIR [FILES] [RUNS]}
FILES=${2:-1000}
RUNS=${3:-5}
BIN="$BUILD/tabulink-batch"
[ -x "$BIN" ] || { echo "no $BIN: build the target tabulink-batch first" >&2; exit 1; }
command -v taskset >/dev/null || { echo "taskset is needed (util-linux)" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/batch-many.XXXXXX")
trap 'rm -rf "$WORK"' EXIT INT TERM
mkdir "$WORK/in" "$WORK/out"
i=0
while [ "$i" -lt "$FILES" ]; do
    # About 40 rows of five columns, Shift_JIS bytes included.
    awk -v n="$i" 'BEGIN { for (r = 0; r < 40; r++) printf "%d,\x96\xbc\x91\x4f%d,%d,x%d,y\r\n", n, r, r * n, r, n }' \
        > "$WORK/in/f$i.csv"
    i=$((i + 1))
done

# Seconds for one run of all files on the given cores.
run() {
    rm -f "$WORK/out"/*
    start=$(date +%s.%N)
    taskset -c "$1" "$BIN" table "$WORK"/in/*.csv -O "$WORK/out"
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One core and two in turn, so that a change of the machine's load falls
# on both alike.
for r in $(seq "$RUNS"); do
    run 0 >> "$WORK/one"
    run 0,1 >> "$WORK/two"
done
one=$(median < "$WORK/one")
two=$(median < "$WORK/two")
echo "files: $FILES, runs: $RUNS (medians in seconds), in $(df -PT "$WORK" | awk 'NR == 2 { print $2 }')"
echo "load:     $(cut -d' ' -f1-3 /proc/loadavg)"
echo "one core:  $one"
echo "two cores: $two"
echo "ratio:     $(echo "scale=2; $one / $two" | bc)"
