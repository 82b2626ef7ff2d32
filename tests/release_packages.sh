#!/usr/bin/env bash
# Makes the release packages twice, each in a fresh clone of the commit at
# HEAD with the README's packaging commands, checks that the two .deb, the
# two .tar.gz and the two Windows .zip files are byte for byte the same,
# runs lintian on the .deb, and checks the .zip: its three files, CR LF
# text, a stripped .exe that under wine does what the native tool does.
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
    for preset in release windows; do
        (cd "$work/$clone" && cmake --preset $preset >/dev/null &&
            cmake --build --preset $preset >/dev/null && cd build/$preset && cpack >/dev/null 2>&1)
    done
done

status=0
for package in "$work"/first/build/release/*.deb "$work"/first/build/release/*.tar.gz \
    "$work"/first/build/windows/*.zip; do
    name=$(basename "$package")
    if cmp "$package" "$work/second-clone/build/${package#"$work"/first/build/}"; then
        echo "reproducible: $name ($(stat -c %s "$package") bytes, sha256 $(sha256sum <"$package" | cut -c1-16)...)"
    else
        echo "FAIL: two builds of one commit made different $name" >&2
        status=1
    fi
done

echo "== the Windows .zip"
zip=$(ls "$work"/first/build/windows/*.zip)
unpacked=$work/unzipped
python3 -m zipfile -e "$zip" "$unpacked"
top=$unpacked/$(basename "$zip" .zip)
listing=$(cd "$top" && LC_ALL=C ls | paste -sd" ")
[ "$listing" = "LICENSE.txt README.txt html_tavu.exe" ] ||
    { echo "FAIL: the .zip holds $listing" >&2; status=1; }
for text in LICENSE.txt README.txt; do
    # Every line ends with CR LF: no LF without its CR before it.
    if [ "$(grep -c $'\r$' "$top/$text")" -ne "$(wc -l <"$top/$text")" ]; then
        echo "FAIL: $text has lines without CR LF" >&2
        status=1
    fi
done
if x86_64-w64-mingw32-objdump -h "$top/html_tavu.exe" | grep -q -e '\.debug' -e '\.symtab'; then
    echo "FAIL: html_tavu.exe is not stripped" >&2
    status=1
fi
# The .exe from the .zip under wine writes what the native tool writes, in
# the Windows test's cases; here a missing wine is a failure, not a skip.
wine_status=0
bash "$root/tests/windows_exe_test.sh" "$top/html_tavu.exe" "$work/first/build/release/html_tavu" \
    "$work/wineprefix" >"$work/wine.log" 2>&1 || wine_status=$?
if [ "$wine_status" -eq 0 ]; then
    echo "html_tavu.exe from the .zip under wine: as the native tool in $(grep -c '^same:' "$work/wine.log") cases; $(stat -c %s "$top/html_tavu.exe") bytes, stripped; $listing"
else
    cat "$work/wine.log" >&2
    echo "FAIL: html_tavu.exe from the .zip under wine" >&2
    status=1
fi

deb=$(ls "$work"/first/build/release/*.deb)
echo "== lintian $(basename "$deb")"
# Info and pedantic tags are shown; errors, warnings and info tags fail.
lintian_status=0
tags=$(lintian --fail-on error,warning,info --display-info --pedantic "$deb" 2>&1) || lintian_status=$?
grep -v '^running with root privileges' <<<"$tags" || true
[ "$lintian_status" -eq 0 ] || { echo "FAIL: lintian" >&2; status=1; }
[ "$status" -ne 0 ] || echo "lintian: no error, warning or info tag"
exit "$status"
