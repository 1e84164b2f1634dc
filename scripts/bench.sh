#!/usr/bin/env bash
# Installs what is missing, builds a Release tree in build-bench/ with the benchmarks, runs all of
# them and prints one table (also written to build-bench/bench-results.md). Not part of the test
# suite: it reports figures and budgets, it does not pass or fail on them. Arguments go to
# bench/run_bench.py (e.g. --only frames,instructions).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build bench
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DQUORLITZ_BENCH=ON -DQUORLITZ_TESTS=OFF \
  >/dev/null
cmake --build "$root/build-bench" -j "$(nproc)" >/dev/null
exec python3 "$root/bench/run_bench.py" --build "$root/build-bench" "$@"
