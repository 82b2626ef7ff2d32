#!/usr/bin/env bash
# Builds the fuzz targets and runs each for the given number of seconds
# (default 20), starting from the seeds in corpus/. New inputs go to a
# scratch folder, never into the checked-in seeds.
set -euo pipefail
seconds=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in bound_fuzz page_fuzz; do
    # Absolute paths: page_fuzz works in a scratch folder of its own.
    seeds=$root/tests/fuzz/corpus/${target%_fuzz}
    mkdir "$work/$target"
    echo "== $target: $seconds s from $(ls "$seeds" | wc -l) seeds"
    if ! "build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$work/" "$work/$target" "$seeds" >"$work/$target.log" 2>&1; then
        tail -n 40 "$work/$target.log" >&2
        for f in "$work"/crash-* "$work"/leak-* "$work"/timeout-*; do
            [ -f "$f" ] && { echo "failing input $f:" >&2; od -An -tx1 "$f" >&2; }
        done
        echo "$target failed" >&2
        exit 1
    fi
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units)' "$work/$target.log"
done
echo "fuzzing found nothing"
