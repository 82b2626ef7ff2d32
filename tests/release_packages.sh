#!/usr/bin/env bash
# Makes the release packages twice, each in a fresh clone of the commit at
# HEAD with the README's packaging command, checks that the two .deb and the
# two .tar.gz files are byte for byte the same, and runs lintian on the .deb.
# Uncommitted changes are not part of the check. Usage: release_packages.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v lintian >/dev/null || { echo "lintian is missing (Debian: apt-get install lintian)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The folders' names differ in length too, so a build path that leaked into
# a package would show.
for clone in first second-clone; do
    git clone -q "$root" "$work/$clone"
    (cd "$work/$clone" && cmake --preset release >/dev/null &&
        cmake --build --preset release >/dev/null && cd build/release && cpack >/dev/null 2>&1)
done

status=0
for package in "$work"/first/build/release/*.deb "$work"/first/build/release/*.tar.gz; do
    name=$(basename "$package")
    if cmp "$package" "$work/second-clone/build/release/$name"; then
        echo "reproducible: $name ($(stat -c %s "$package") bytes, sha256 $(sha256sum <"$package" | cut -c1-16)...)"
    else
        echo "FAIL: two builds of one commit made different $name" >&2
        status=1
    fi
done

deb=$(ls "$work"/first/build/release/*.deb)
echo "== lintian $(basename "$deb")"
# Info and pedantic tags are shown; errors, warnings and info tags fail.
lintian_status=0
tags=$(lintian --fail-on error,warning,info --display-info --pedantic "$deb" 2>&1) || lintian_status=$?
grep -v '^running with root privileges' <<<"$tags" || true
[ "$lintian_status" -eq 0 ] || { echo "FAIL: lintian" >&2; status=1; }
[ "$status" -ne 0 ] || echo "lintian: no error, warning or info tag"
exit "$status"
