#!/usr/bin/env bash
# Runs the unit and program tests once under valgrind's memcheck, in build-memcheck/. Any memory error,
# or a definite leak outside the suppressed system libraries, fails the run. Slow: minutes, not seconds.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build test memcheck
dir="$root/build-memcheck"
cmake -S "$root" -B "$dir" -DQUORLITZ_TESTS=ON -DQUORLITZ_VALGRIND=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)"
cd "$dir"
ctest --output-on-failure -j "$(nproc)" --timeout 1200 -L 'unit|program' "$@"
