#!/usr/bin/env bash
# Installs what is missing, builds the game into build/ and starts it there, where data/ lies.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build
"$root/scripts/build-game.sh" "$root/build"
cd "$root/build"
exec ./quorlitz "$@"
