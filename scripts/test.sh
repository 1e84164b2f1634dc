#!/usr/bin/env bash
# Installs the Debian packages it is missing, fetches classic SDL 1.2.15 for the second library run,
# then builds and runs the whole suite twice, each time on sdl12-compat and on classic SDL: in
# build-asan/ under AddressSanitizer and UndefinedBehaviorSanitizer (a Debug build), and in build/
# as an optimised, hardened build. Both builds treat compiler warnings as errors.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh" build test
classic_sdl=$("$root/scripts/fetch-classic-sdl.sh")
jobs=$(nproc)

run_suite() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -DQUORLITZ_TESTS=ON -DQUORLITZ_WERROR=ON \
    -DQUORLITZ_CLASSIC_SDL_DIR="$classic_sdl" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 900)
}

echo "== Sanitizer build (build-asan/) =="
run_suite "$root/build-asan" -DQUORLITZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
echo "== Release build (build/) =="
run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
