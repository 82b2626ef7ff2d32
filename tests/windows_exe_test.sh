#!/usr/bin/env bash
# Runs the Windows build under wine beside the native tool and checks that
# both give the same exit status, the same bytes on standard output and the
# same tavu.html. Usage: windows_exe_test.sh EXE NATIVE_TOOL WINE_PREFIX.
# Exit 77 means skipped: no Windows build, or no wine.
set -euo pipefail
exe=$(realpath -m "$1") native=$(realpath -m "$2")
export WINEPREFIX=$3 WINEDEBUG=-all
[ -f "$exe" ] || {
    echo "no Windows build at $exe: skipped. Build it first with"
    echo "    cmake --preset windows && cmake --build --preset windows"
    echo "(Debian: apt-get install g++-mingw-w64-x86-64), then run the tests again."
    exit 77
}
command -v wine >/dev/null || { echo "wine is not installed (Debian: apt-get install wine wine64): skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Runs one program in a fresh folder; $1 names the folder, $2 sets it up.
run_in() {
    local dir=$work/$1 setup=$2
    shift 2
    rm -rf "$dir" && mkdir "$dir"
    [ -z "$setup" ] || (cd "$dir" && eval "$setup")
    local status=0
    (cd "$dir" && "$@" >stdout 2>/dev/null) || status=$?
    echo "$status" >"$dir/status"
}

check() {
    local setup=$1
    shift
    run_in native "$setup" "$native" "$@"
    run_in windows "$setup" wine "$exe" "$@"
    local what="arguments [$*]${setup:+ after '$setup'}"
    for file in status stdout tavu.html; do
        if [ -f "$work/native/$file" ] && ! cmp -s "$work/native/$file" "$work/windows/$file"; then
            echo "FAIL $what: $file differs" >&2
            failures=$((failures + 1))
            return
        fi
    done
    echo "same: $what (status $(cat "$work/native/status"), $(wc -c <"$work/native/stdout") bytes out)"
}

check ""
check "" 0
check "" 0 20
check "" 5 30 extra
check "" 10 11
check "" -5 100
check "" 12abc " +65"
check "" 4294967290 4294967295
check "" 0 4096
check "" 99990 100500
check "mkdir tavu.html" 0 20
check "printf 'old page, longer than the new one%.0s' {1..500} >tavu.html" 0 1
# A Windows runtime may change the arguments on its own; the tool must not:
# no wildcard expansion (files named 40, 60 and 5 would become arguments),
# no response file (@args would read "5 30"), and double quotes and spaces
# inside an argument reach it as they are.
check "touch 40 60" "*" 100
check "touch 5" "?" 40
check "printf '5 30' >args" @args 40
check "" '"12"' 40
check "" "1 2" 40
check "" '7"' '"' 40

[ "$failures" -eq 0 ] || { echo "$failures case(s) differ" >&2; exit 1; }
