#!/usr/bin/env bash
# Static checks of the tool's sources: formatting (clang-format), clang-tidy
# with the checks in .clang-tidy, and cppcheck; and that only CI's builds
# turn warnings into errors. Any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

echo "== clang-format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

echo "== clang-tidy"
cmake --preset release >/dev/null
clang-tidy --quiet -p build/release src/*.cpp 2>&1 | { grep -v 'warnings generated\.$' || true; }

echo "== cppcheck"
cppcheck --quiet --enable=warning,style,performance,portability --error-exitcode=1 \
    --inline-suppr --std=c++17 --suppress=missingIncludeSystem -I src src
echo "== warnings are errors in CI's builds only"
# A user's build of an unchanged release must survive a newer compiler's new
# warning; CI's build must fail on it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
werror_commands() {
    cmake --preset release -B "$work/$1" >/dev/null
    grep -c -- -Werror "$work/$1/compile_commands.json" || true
}
users=$(unset TAVU_WARNINGS_AS_ERRORS && werror_commands users)
ci=$(export TAVU_WARNINGS_AS_ERRORS=ON && werror_commands ci)
[ "$users" -eq 0 ] || { echo "the release preset turns warnings into errors" >&2; exit 1; }
[ "$ci" -gt 0 ] || { echo "TAVU_WARNINGS_AS_ERRORS=ON does not turn warnings into errors" >&2; exit 1; }
echo "release preset: no -Werror; with TAVU_WARNINGS_AS_ERRORS=ON: -Werror in $ci compile commands"
echo "static checks clean"
