#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the game there, where data/ lies.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build
# No options here: build/ keeps whatever the test command configured it with, and only the game is built.
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target quorlitz -j "$(nproc)"
cd "$root/build"
exec ./quorlitz "$@"
