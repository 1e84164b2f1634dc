#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the game there, where data/ lies.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build
cmake -S "$root" -B "$root/build" -DQUORLITZ_TESTS=OFF >/dev/null
cmake --build "$root/build" --target quorlitz -j "$(nproc)"
cd "$root/build"
exec ./quorlitz "$@"
