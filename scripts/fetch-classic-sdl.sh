#!/usr/bin/env bash
# Fetches classic SDL 1.2.15 from Debian 12's archive and unpacks its shared libraries into a
# directory, for the suite and the benchmarks to run on it too (LD_LIBRARY_PATH). Debian 12's players
# get this library with the game's package; the build needs sdl12-compat's development package, which
# conflicts with it, so it cannot be installed beside it. Once per checkout: the directory is
# build-classic-sdl/ at its top unless named, and one that holds the library already is kept as it is.
# Prints the directory on standard output, all else on standard error.
#   fetch-classic-sdl.sh [directory]      (env: DEBIAN_MIRROR, else the archive apt uses here)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dir=${1:-$root/build-classic-sdl}
if [ -e "$dir/libSDL-1.2.so.0" ]; then
  echo "$dir"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-classic-sdl.XXXXXX")
trap 'rm -rf "$work"' EXIT
# apt with a state of its own that knows Debian 12 alone and nothing installed, whatever release
# this system is (Debian 13's sdl12-compat installs a libsdl1.2debian of its own): the same library,
# with the libraries only it needs, on every system the suite runs on.
mirror=$("$root/scripts/debian-mirror.sh")
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
echo "deb [signed-by=$keyring] $mirror bookworm main" >"$work/sources.list"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
apt=(apt-get -qq -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/nonexistent
     -o Dir::State::Lists="$work/lists" -o Dir::State::status=/dev/null -o Dir::Cache="$work/cache"
     -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
"${apt[@]}" update >&2
# Its text-art driver's libraries come along: Debian 13 has no libncursesw6 of its own installed.
(cd "$work" && "${apt[@]}" download libsdl1.2debian libcaca0 libslang2 libncursesw6) >&2

mkdir "$work/lib"
for package in "$work"/*.deb; do
    dpkg-deb -x "$package" "$work/root"
done
find "$work/root" -name 'lib*.so.*' -not -path '*/caca/*' -exec cp -a -t "$work/lib" {} +
# Whatever else it links, this system must have.
missing=$(LD_LIBRARY_PATH=$work/lib ldd "$work/lib/libSDL-1.2.so.0" "$work/lib/libcaca.so.0" \
          | grep 'not found' || true)
if [ -n "$missing" ]; then
  echo "classic SDL needs libraries this system lacks:" >&2
  echo "$missing" >&2
  exit 1
fi
# Moved into place whole, so that a run beside this one never finds half of it; if such a run has
# put its own there first, that one stays.
mkdir -p "$(dirname "$dir")"
cp -a "$work/lib" "$dir.partial.$$"
mv -T "$dir.partial.$$" "$dir" 2>/dev/null || rm -rf "$dir.partial.$$"
echo "Classic SDL: $(dpkg-deb -f "$work"/libsdl1.2debian_*.deb Version) in $dir" >&2
echo "$dir"
