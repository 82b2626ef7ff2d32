#!/usr/bin/env bash
# Static checks of the tool's sources: formatting (clang-format), clang-tidy
# with the checks in .clang-tidy, and cppcheck. Any finding fails.
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
echo "static checks clean"
