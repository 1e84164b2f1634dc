#!/usr/bin/env bash
# Two builds of one commit in different directories make the same Debian package, byte for byte:
# the build tree's own, and that of a second tree configured like it outside the checkout, as a
# packager's often is.
#   reproducible_package.sh build <build tree> <work directory>     makes the second tree
#   reproducible_package.sh compare <build tree> <work directory>   packs both and compares
set -euo pipefail
step=$1 build=$2 work=$3
setting() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
if [ "$step" = build ]; then
    rm -rf "$work" "$(cat "$work/second-tree" 2>/dev/null)" && mkdir -p "$work"
    second=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-elsewhere.XXXXXX")
    echo "$second" >"$work/second-tree"
    cmake -S "$(setting CMAKE_HOME_DIRECTORY)" -B "$second" -DQUORLITZ_TESTS=OFF \
        -DCMAKE_BUILD_TYPE="$(setting CMAKE_BUILD_TYPE)" -DQUORLITZ_SANITIZE="$(setting QUORLITZ_SANITIZE)" >/dev/null
    exec cmake --build "$second" -j "$(nproc)" >/dev/null
fi
second=$(cat "$work/second-tree")
trap 'rm -rf "$second"' EXIT
packed=0
for tree in "$build" "$second"; do
    packed=$(( packed + 1 ))
    rm -rf "$work/packed-$packed" && cpack --config "$tree/CPackConfig.cmake" -G DEB -B "$work/packed-$packed" >/dev/null
done
first=$(echo "$work"/packed-1/*.deb) other=$(echo "$work"/packed-2/*.deb)
cmp "$first" "$other" || { diff <(dpkg-deb -I "$first" md5sums) <(dpkg-deb -I "$other" md5sums) >&2; exit 1; }
