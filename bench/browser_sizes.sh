#!/usr/bin/env bash
# How long headless Chromium takes to load, lay out and draw pages of a
# growing number of rows (First 0, so every page starts at the control
# codes and ASCII): the seconds from start to a finished screenshot, which
# needs the whole table laid out first. A page that takes longer than the
# limit is reported as such. Usage: browser_sizes.sh [ROWS ...] (default:
# 0 1000 5000 20000 55706: the first shows the cost of starting Chromium,
# the last is every code point).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v chromium >/dev/null || { echo "needs chromium (Debian: apt-get install chromium)" >&2; exit 1; }
limit=300
cmake --preset release >/dev/null
cmake --build --preset release --target html_tavu >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "$(nproc) cores, $(chromium --version 2>/dev/null), $(fc-list | wc -l) fonts installed"
[ $# -gt 0 ] || set -- 0 1000 5000 20000 55706
for rows in "$@"; do
    dir=$work/$rows
    mkdir "$dir"
    (cd "$dir" && "$root/build/release/html_tavu" 0 $((rows * 20)))
    start=$(date +%s%N)
    outcome=drawn
    timeout "$limit" chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$dir/profile" --window-size=1280,1024 \
        --screenshot="$dir/shot.png" "file://$dir/tavu.html" >/dev/null 2>&1 || outcome="not drawn"
    [ -s "$dir/shot.png" ] || outcome="not drawn"
    awk -v rows="$rows" -v bytes="$(stat -c %s "$dir/tavu.html")" -v outcome="$outcome" \
        -v ns=$(($(date +%s%N) - start)) \
        'BEGIN { printf "%6d rows, %10d bytes: %s after %.1f s\n", rows, bytes, outcome, ns / 1e9 }'
done
