#!/usr/bin/env bash
# Builds a fresh clone of HEAD as a machine with only CMake and a C++
# compiler would: in a private mount namespace, an empty folder hides
# GoogleTest, GoogleMock and Google Benchmark (headers and CMake packages).
# There the README's first Quick start line must build and run the tool,
# and the test preset must stop with a message naming the package to
# install. Then the README's install line for such a machine must name
# packages that bring every program the build ran. Needs root (unshare -m)
# and dpkg. Usage: bare_machine_build.sh
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

# The README's install line for a bare Debian machine must bring every
# program that line ran: cmake, the build tool the presets chose and the
# compiler. Each must come from a package the line names, or one that such
# a package depends on (a package that is only recommended may be missing).
install_line=$(awk '/^## Quick start/ { s = 1 } /^## Installing/ { s = 0 } s' "$root/README.md" |
    tr '\n' ' ' | grep -o 'apt-get install [^`]*' | head -n 1)
[ -n "$install_line" ] || { echo "no install line in the README's Quick start" >&2; exit 1; }
read -r -a named <<<"${install_line#apt-get install }"
dependency_closure() {
    local -A seen=()
    local queue=("$@") name dep
    while [ ${#queue[@]} -gt 0 ]; do
        name=${queue[0]} queue=("${queue[@]:1}")
        [ -z "${seen[$name]:-}" ] || continue
        seen[$name]=1
        # "a (>= 1), b | c, d:any" names a, b, c and d.
        for dep in $(dpkg-query -W -f='${Depends}, ${Pre-Depends}' "$name" 2>/dev/null |
            sed -E 's/\([^)]*\)//g; s/[,|]/ /g; s/:[a-z0-9]+//g'); do
            queue+=("$dep")
        done
    done
    printf '%s\n' "${!seen[@]}"
}
closure=$(dependency_closure "${named[@]}")
cache=$work/clone/build/release/CMakeCache.txt
for tool in "$(command -v cmake)" "$(sed -n 's/^CMAKE_MAKE_PROGRAM:FILEPATH=//p' "$cache")" \
    "$(sed -n 's/^CMAKE_CXX_COMPILER:FILEPATH=//p' "$cache")"; do
    package=$(dpkg -S "$(realpath "$tool")" | cut -d: -f1)
    grep -qx "$package" <<<"$closure" ||
        { echo "FAIL: '$install_line' does not bring $tool (package $package)" >&2; exit 1; }
    echo "'$install_line' brings $tool ($package)"
done
echo "bare machine: the tool builds and runs; the tests ask for libgtest-dev"
