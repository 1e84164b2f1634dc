#!/usr/bin/env bash
# Installs the Debian packages that the named set needs, and only those that are missing.
#   install-deps.sh build [test] [bench] [memcheck]
set -euo pipefail

build_packages=(cmake g++ make pkg-config libsdl1.2-compat-dev libsdl-ttf2.0-dev fonts-dejavu-core)
test_packages=(googletest libgtest-dev xvfb xdotool x11-utils imagemagick wmctrl
               desktop-file-utils appstream dpkg-dev file lintian openbox shellcheck clang-format)
bench_packages=(libbenchmark-dev libgtest-dev xvfb)
memcheck_packages=(valgrind)

wanted=("${build_packages[@]}")
for set in "$@"; do
  case "$set" in
    build) ;;
    test) wanted+=("${test_packages[@]}") ;;
    bench) wanted+=("${bench_packages[@]}") ;;
    memcheck) wanted+=("${memcheck_packages[@]}") ;;
    *) echo "install-deps.sh: unknown package set '$set'" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps.sh: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
