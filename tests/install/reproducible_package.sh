#!/usr/bin/env bash
# Two builds of one commit in different directories make the same Debian package, byte for byte.
#   reproducible_package.sh <build tree> <play tree> <work directory>
set -euo pipefail
build=$1 play=$2 work=$3
if ! grep -Eqx 'CMAKE_BUILD_TYPE:STRING=(RelWithDebInfo)?' "$build/CMakeCache.txt"; then
    echo "skipped: $build is not of the default type RelWithDebInfo"
    exit 77
fi
rm -rf "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/build" >/dev/null
cpack --config "$play/CPackConfig.cmake" -G DEB -B "$work/play" >/dev/null
first=$(echo "$work"/build/*.deb) other=$(echo "$work"/play/*.deb)
cmp "$first" "$other" || { diff <(dpkg-deb -I "$first" md5sums) <(dpkg-deb -I "$other" md5sums) >&2; exit 1; }
