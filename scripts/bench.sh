#!/usr/bin/env bash
# Builds the benchmark program in a Release tree, build-bench/, and runs it five times: under SDL's
# dummy driver and in a private Xvfb, each on sdl12-compat and on classic SDL 1.2.15 (fetched once
# per checkout by scripts/fetch-classic-sdl.sh), and once more on SDL2's GL renderer; under X11,
# sdl12-compat runs on SDL2's software framebuffer, the game's default. Figures to read, not a test.
# Arguments go to the program, e.g. --benchmark_filter=Draw or --benchmark_repetitions=3. The JSON of
# each run lands in build-bench/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-bench
"$root/scripts/install-deps.sh" build bench
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORLITZ_BENCH=ON -DQUORLITZ_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target quorlitz_bench >/dev/null
classic_sdl=$("$root/scripts/fetch-classic-sdl.sh")
cd "$build"  # the program reads data/ below its working directory

rm -f xvfb-display
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>xvfb-display 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb"' EXIT
for _ in $(seq 100); do [ -s xvfb-display ] && break; sleep 0.1; done
display=:$(cat xvfb-display)

run() {  # name, then the environment of the run; the medians over the repetitions only
  local name=$1; shift
  echo "== $name =="
  env -u DISPLAY -u SDL_VIDEODRIVER -u SDL_FRAMEBUFFER_ACCELERATION -u SDL_RENDER_DRIVER "$@" \
    ./bench/quorlitz_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="bench-$name.json" --benchmark_out_format=json "${args[@]}" \
    | grep -v -E '_(mean|stddev|cv) '
}
args=("$@")
classic=LD_LIBRARY_PATH=$classic_sdl
run dummy SDL_VIDEODRIVER=dummy
run dummy-classic SDL_VIDEODRIVER=dummy "$classic"
run x11-software SDL_VIDEODRIVER=x11 DISPLAY="$display" \
  SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software
run x11-classic SDL_VIDEODRIVER=x11 DISPLAY="$display" "$classic"
run x11-gl SDL_VIDEODRIVER=x11 DISPLAY="$display" SDL_FRAMEBUFFER_ACCELERATION=1 SDL_RENDER_DRIVER=opengl
