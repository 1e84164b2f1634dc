#!/usr/bin/env bash
# Configures and builds the game alone into a build tree (build/ unless named), as ./scripts/play.sh
# does: enough to play it there and to install it with `cmake --install`. A new tree leaves the tests
# out; a tree the test command configured keeps its options.
#   build-game.sh [build tree]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tree=${1:-$root/build}
options=()
if [ ! -f "$tree/CMakeCache.txt" ]; then
  options=(-DQUORLITZ_TESTS=OFF)
fi
cmake -S "$root" -B "$tree" "${options[@]}" >/dev/null
cmake --build "$tree" --target quorlitz -j "$(nproc)"
