#!/usr/bin/env bash
# Usage: sudo scripts/test-debian.sh <release> [command...]   (bookworm, trixie, testing, ...)
#   env: QUORLITZ_CACHE (default /var/cache/quorlitz),
#        DEBIAN_MIRROR (default: the archive this system's apt uses)
# Runs ./scripts/test.sh (or the command given, such as ./scripts/bench.sh), working tree as it is,
# as root in a fresh Debian tree of that release, to see other releases' compilers, libraries,
# appstream and lintian before our users do. The minimal base tree is cached per release. Exits with
# the command's status.
set -euo pipefail
release=${1:?usage: $0 <Debian release, e.g. trixie or testing> [command...]}
shift
cache=${QUORLITZ_CACHE:-/var/cache/quorlitz}
base=$cache/$release-minbase.tar.gz

if [ "${1:-}" = --inside ]; then
  # From here on we are in a private mount namespace: every mount below dies with it, so nothing
  # of the host's /dev or /proc can ever be left bound inside the tree when it is deleted.
  tree=$2 src=$3 mirror=$4
  shift 4
  # The tree lives in memory: dpkg's many fsyncs cost nothing there, and it goes with the namespace.
  mount -t tmpfs tmpfs "$tree"
  if [ -f "$base" ]; then
    tar -xzpf "$base" --numeric-owner -C "$tree"
  else
    debootstrap --variant=minbase "$release" "$tree" "$mirror"
    # Services must not start inside the tree while packages are installed.
    printf '#!/bin/sh\nexit 101\n' >"$tree/usr/sbin/policy-rc.d" && chmod +x "$tree/usr/sbin/policy-rc.d"
    # The archive may be a snapshot taken before the moving suites' Release files expire.
    echo 'Acquire::Check-Valid-Until "false";' >"$tree/etc/apt/apt.conf.d/99snapshot-archive"
    tar -czf "$base.part" --numeric-owner -C "$tree" . && mv "$base.part" "$base"
  fi
  # Whatever mode the top had when it was cached, apt's _apt and man-db's man users must get through.
  chmod 755 "$tree"
  cp -L /etc/resolv.conf "$tree/etc/resolv.conf"
  mkdir -p "$tree/root/quorlitz" "$cache/apt-archives-$release/partial"
  # Tracked files from the working tree, not HEAD, so that uncommitted edits are tested too.
  git -C "$src" ls-files -z | tar -C "$src" --null --ignore-failed-read -T - -c \
    | tar -x -C "$tree/root/quorlitz"
  mount --rbind /dev "$tree/dev"   # with /dev/pts and /dev/shm, for Xvfb and the sanitizers
  mount -t proc proc "$tree/proc"
  mount -t tmpfs tmpfs "$tree/tmp"
  mount --bind "$cache/apt-archives-$release" "$tree/var/cache/apt/archives"
  # shellcheck disable=SC2016  # the command line of the shell in the tree, expanded there
  exec chroot "$tree" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin \
    HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
    DEBIAN_MIRROR="$mirror" bash -euo pipefail -c 'cd /root/quorlitz
      . /etc/os-release && echo "== Running on $PRETTY_NAME =="
      ./scripts/install-deps.sh build test
      gcc --version | head -n1; cmake --version | head -n1; appstreamcli --version; lintian --version
      dpkg-query -W -f "\${Package} \${Version}\n" libsdl1.2debian libsdl2-2.0-0 "libsdl3-0*" \
        2>/dev/null || true
      exec "$@"' bash "$@"
fi

[ "$(id -u)" -eq 0 ] || { echo "test-debian.sh: run as root (it chroots and mounts)" >&2; exit 1; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if ! command -v debootstrap >/dev/null; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
fi
mirror=$("$root/scripts/debian-mirror.sh")
mkdir -p "$cache"
# The tree has no .git: the build takes its timestamps from here.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) && export SOURCE_DATE_EPOCH
tree=$(mktemp -d "${TMPDIR:-/var/tmp}/quorlitz-$release.XXXXXX")

# shellcheck disable=SC2317,SC2329  # run by the EXIT trap alone
remove_tree() {
  # The namespace has gone with its mounts, the tmpfs among them; should anything still be mounted
  # there, keep it rather than risk deleting through a bind mount into the host.
  if findmnt -rn -o TARGET | grep -q "^$tree"; then
    echo "test-debian.sh: $tree still has mounts below it, left in place" >&2
  else
    rm -rf --one-file-system "$tree"
  fi
}
trap remove_tree EXIT
trap 'exit 130' INT TERM
status=0
unshare --mount --propagation private \
  "$root/scripts/test-debian.sh" "$release" --inside "$tree" "$root" "$mirror" "${@:-./scripts/test.sh}" \
  || status=$?
echo "test-debian.sh $release: exit status $status after ${SECONDS}s"
exit "$status"
