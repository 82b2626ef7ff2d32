#!/usr/bin/env bash
# Builds a fresh clone of HEAD as a machine with only CMake and a C++
# compiler would: in a private mount namespace, an empty folder hides
# GoogleTest, GoogleMock and Google Benchmark (headers and CMake packages).
# There the README's first Quick start line must build and run the tool,
# and the test preset must stop with a message naming the package to
# install. Needs root (unshare -m). Usage: bare_machine_build.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q "$root" "$work/clone"
mkdir "$work/empty"
# The README's first Quick start line, exactly as it stands.
first_line=$(awk '/^## Quick start/ { s = 1 } s && /^```sh/ { getline; print; exit }' "$root/README.md")
[ -n "$first_line" ] || { echo "no Quick start line found in the README" >&2; exit 1; }

hidden=(/usr/include/gtest /usr/include/gmock /usr/include/benchmark
    /usr/lib/x86_64-linux-gnu/cmake/GTest /usr/lib/x86_64-linux-gnu/cmake/benchmark)
export BARE_WORK=$work BARE_FIRST_LINE=$first_line BARE_HIDDEN="${hidden[*]}"
unshare -m bash -euo pipefail -c '
    for dir in $BARE_HIDDEN; do
        [ ! -d "$dir" ] || mount --bind "$BARE_WORK/empty" "$dir"
    done
    if [ -e /usr/include/gtest/gtest.h ]; then echo "GoogleTest is still visible" >&2; exit 1; fi
    cd "$BARE_WORK/clone"
    echo "$ $BARE_FIRST_LINE"
    bash -c "$BARE_FIRST_LINE" >"$BARE_WORK/first.log" 2>&1 ||
        { cat "$BARE_WORK/first.log" >&2; echo "FAIL: the first Quick start line" >&2; exit 1; }
    tail -n 1 "$BARE_WORK/first.log"
    size=$(stat -c %s build/release/tavu.html)
    [ "$size" -eq 17375 ] || { echo "FAIL: tavu.html has $size bytes, not 17375" >&2; exit 1; }
    if ls build/release/tests build/release/bench >/dev/null 2>&1; then
        echo "FAIL: the release preset built tests or benchmarks" >&2; exit 1
    fi
    if cmake --preset test >"$BARE_WORK/test.log" 2>&1; then
        echo "FAIL: the test preset configured without GoogleTest" >&2; exit 1
    fi
    grep -q "libgtest-dev" "$BARE_WORK/test.log" ||
        { cat "$BARE_WORK/test.log" >&2; echo "FAIL: no word of libgtest-dev" >&2; exit 1; }
    echo "without GoogleTest the test preset stops with:"
    grep -A3 "CMake Error" "$BARE_WORK/test.log" | sed "s/^/    /"
'
echo "bare machine: the tool builds and runs; the tests ask for libgtest-dev"
