#!/usr/bin/env bash
# Installs the tool from a build folder into a scratch prefix, then makes
# the .deb and .tar.gz packages and checks that each holds the executable
# and the man page. Usage: package_test.sh BUILD_DIR. Exit 77 means skipped.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/html_tavu share/man/man1/html_tavu.1; do
    [ -f "$work/prefix/$file" ] || { echo "cmake --install did not put $file" >&2; exit 1; }
done
[ -x "$work/prefix/bin/html_tavu" ] || { echo "bin/html_tavu is not executable" >&2; exit 1; }

command -v dpkg-deb >/dev/null || { echo "dpkg-deb is missing: skipped"; exit 77; }
(cd "$build" && cpack -B "$work/packages" >/dev/null)
deb=$(ls "$work"/packages/*.deb)
tgz=$(ls "$work"/packages/*.tar.gz)
contents=$(dpkg-deb --contents "$deb")
for file in ./usr/bin/html_tavu ./usr/share/man/man1/html_tavu.1; do
    grep -q " $file\$" <<<"$contents" || { echo "$deb lacks $file:" >&2; echo "$contents" >&2; exit 1; }
done
listing=$(tar -tzf "$tgz")
for file in bin/html_tavu share/man/man1/html_tavu.1; do
    grep -q "/$file\$" <<<"$listing" || { echo "$tgz lacks $file" >&2; exit 1; }
done
echo "installed and packaged: $(basename "$deb"), $(basename "$tgz")"
