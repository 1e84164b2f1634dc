#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the game there, where data/ lies.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build
# A tree that the test command configured keeps its options; only the game is built either way.
options=()
[ -f "$root/build/CMakeCache.txt" ] || options=(-DQUORLITZ_TESTS=OFF)
cmake -S "$root" -B "$root/build" "${options[@]}" >/dev/null
cmake --build "$root/build" --target quorlitz -j "$(nproc)"
cd "$root/build"
exec ./quorlitz "$@"
