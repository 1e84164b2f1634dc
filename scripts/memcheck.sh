#!/usr/bin/env bash
# Runs the unit tests once under valgrind's memcheck (ctest -T memcheck), in build-memcheck/. Any
# memory error, or a definite leak outside the suppressed system libraries (tests/valgrind.supp),
# fails the run. Slow: minutes, not seconds. Arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build test memcheck
dir="$root/build-memcheck"
cmake -S "$root" -B "$dir" -DQUORLITZ_TESTS=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)"
cd "$dir"
ctest -T memcheck --output-on-failure -j "$(nproc)" --timeout 1200 -L unit "$@"
