#!/usr/bin/env bash
# Measures html_tavu against a plain stdio writer and against the cost of
# writing the same bytes with no formatting at all, and reports its peak
# memory. Builds the bench preset (Release) first. Usage: bench/compare.sh [Last] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
last=${1:-50000000}
rounds=${2:-5}

cmake --preset bench >/dev/null
cmake --build --preset bench --target html_tavu baseline_writer floor_writer >/dev/null
bin=$root/build/bench
tool=$bin/html_tavu
baseline=$bin/bench/baseline_writer
floor=$bin/bench/floor_writer
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }

shm=/dev/shm
[ -d "$shm" ] || shm=${TMPDIR:-/tmp}
work=$(mktemp -d "$shm/tavu-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/null" "$work/file"
ln -s /dev/null "$work/null/tavu.html"

# Wall time of one run, in milliseconds, in folder $1.
time_ms() {
    local dir=$1
    shift
    local start end
    start=$(date +%s%N)
    (cd "$dir" && "$@" >/dev/null)
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Each timed run starts without a page file, so none pays for truncating the
# previous one; the link to /dev/null stays.
clear_page() { [ -L "$1/tavu.html" ] || rm -f "$1/tavu.html"; }

# Runs the commands in the arrays named $2 and $3 alternately in folder $1,
# after one warm-up each, and prints both medians.
compare() {
    local dir=$1 a_times=() b_times=() ta tb
    local -n a=$2 b=$3
    for round in $(seq 0 "$rounds"); do
        clear_page "$dir"
        ta=$(time_ms "$dir" "${a[@]}")
        clear_page "$dir"
        tb=$(time_ms "$dir" "${b[@]}")
        if [ "$round" -gt 0 ]; then a_times+=("$ta"); b_times+=("$tb"); fi
    done
    printf '%s\n' "${a_times[@]}" | median
    printf '%s\n' "${b_times[@]}" | median
}

(cd "$work/file" && "$tool" 0 "$last")
bytes=$(stat -c %s "$work/file/tavu.html")
rm -f "$work/file/tavu.html"
echo "page: First 0, Last $last: $bytes bytes; $rounds timed rounds after a warm-up, medians"

tool_run=("$tool" 0 "$last")
baseline_run=("$baseline" 0 "$last")
floor_run=("$floor" "$bytes")
read -r tool_null baseline_null < <(compare "$work/null" tool_run baseline_run | paste -sd' ')
echo "into /dev/null: html_tavu $tool_null ms, baseline (fprintf per piece) $baseline_null ms"
read -r tool_file floor_file < <(compare "$work/file" tool_run floor_run | paste -sd' ')
echo "into a file in $shm: html_tavu $tool_file ms, floor (no formatting) $floor_file ms"

awk -v t="$tool_null" -v b="$baseline_null" 'BEGIN { printf "speed-up over the baseline: %.1fx (target: at least 10)\n", b / (t > 0 ? t : 1) }'
awk -v t="$tool_file" -v f="$floor_file" 'BEGIN { printf "time over the floor: %.2fx (target: at most 2.0)\n", t / (f > 0 ? f : 1) }'

for range_last in 1000000 "$last"; do
    peak=$(cd "$work/null" && /usr/bin/time -f %M "$tool" 0 "$range_last" 2>&1 >/dev/null)
    echo "peak resident memory, Last $range_last: $peak KiB (target: at most 4096)"
done
