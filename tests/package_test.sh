#!/usr/bin/env bash
# Installs the tool from a build folder into a scratch prefix, then makes
# the .deb and .tar.gz packages and checks that each holds the same files:
# the executable, the compressed man page, and the copyright file and
# compressed changelog in the package's documentation folder.
# Usage: package_test.sh BUILD_DIR. Exit 77 means skipped.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=(bin/html_tavu share/man/man1/html_tavu.1.gz share/doc/html-tavu/copyright
    share/doc/html-tavu/changelog.gz)

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in "${files[@]}"; do
    [ -f "$work/prefix/$file" ] || { echo "cmake --install did not put $file" >&2; exit 1; }
done
[ -x "$work/prefix/bin/html_tavu" ] || { echo "bin/html_tavu is not executable" >&2; exit 1; }
for file in "$work"/prefix/share/man/man1/html_tavu.1.gz "$work"/prefix/share/doc/html-tavu/changelog.gz; do
    gzip -t "$file" || { echo "$file is not gzip data" >&2; exit 1; }
done
grep -q "^License: Expat" "$work/prefix/share/doc/html-tavu/copyright" ||
    { echo "the copyright file names no licence" >&2; exit 1; }

command -v dpkg-deb >/dev/null || { echo "dpkg-deb is missing: skipped"; exit 77; }
(cd "$build" && cpack -B "$work/packages" >/dev/null)
deb_files=$(dpkg-deb --contents "$work"/packages/*.deb | awk '$1 !~ /^d/ { print $NF }' | sort)
tgz_files=$(tar -tvzf "$work"/packages/*.tar.gz | awk '$1 !~ /^d/ { print $NF }' | sort)
wanted=$(printf '%s\n' "${files[@]}" | sort)
[ "$deb_files" = "$(sed 's|^|./usr/|' <<<"$wanted")" ] ||
    { echo "the .deb holds:" >&2; echo "$deb_files" >&2; exit 1; }
top=$(basename "$work"/packages/*.tar.gz .tar.gz)
[ "$tgz_files" = "$(sed "s|^|$top/|" <<<"$wanted")" ] ||
    { echo "the .tar.gz holds:" >&2; echo "$tgz_files" >&2; exit 1; }
echo "installed and packaged the same ${#files[@]} files: $(cd "$work/packages" && ls *.deb *.tar.gz | paste -sd' ')"
