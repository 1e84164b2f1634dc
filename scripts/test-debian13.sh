#!/usr/bin/env bash
# Usage: sudo scripts/test-debian13.sh   (env: QUORLITZ_CACHE=/var/cache/quorlitz, DEBIAN_MIRROR)
# Runs ./scripts/test.sh, working tree as it is, as root in a fresh Debian 13 (trixie) tree, to see
# the next release's compiler, appstream and lintian before our users do. Exits with its status.
set -euo pipefail
cache=${QUORLITZ_CACHE:-/var/cache/quorlitz}
base=$cache/trixie-minbase.tar.gz
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ "${1:-}" = --inside ]; then
  # From here on we are in a private mount namespace: every mount below dies with it, so nothing
  # of the host's /dev or /proc can ever be left bound inside the tree when it is deleted.
  tree=$2 src=$3
  # The tree lives in memory: dpkg's many fsyncs cost nothing there, and it is gone with the namespace.
  mount -t tmpfs tmpfs "$tree"
  if [ -f "$base" ]; then
    tar -xzpf "$base" --numeric-owner -C "$tree"
  else
    debootstrap --variant=minbase trixie "$tree" "$mirror"
    # Services must not start inside the tree while packages are installed.
    printf '#!/bin/sh\nexit 101\n' >"$tree/usr/sbin/policy-rc.d" && chmod +x "$tree/usr/sbin/policy-rc.d"
    tar -czf "$base.part" --numeric-owner -C "$tree" . && mv "$base.part" "$base"
  fi
  # Whatever mode the top had when it was cached, apt's _apt and man-db's man users must get through.
  chmod 755 "$tree"
  cp -L /etc/resolv.conf "$tree/etc/resolv.conf"
  mkdir -p "$tree/root/quorlitz" "$cache/apt-archives/partial"
  # Tracked files from the working tree, not HEAD, so that uncommitted edits are tested too.
  git -C "$src" ls-files -z | tar -C "$src" --null --ignore-failed-read -T - -c | tar -x -C "$tree/root/quorlitz"
  mount --rbind /dev "$tree/dev"   # with /dev/pts and /dev/shm, for Xvfb and the sanitizers
  mount -t proc proc "$tree/proc"
  mount -t tmpfs tmpfs "$tree/tmp"
  mount --bind "$cache/apt-archives" "$tree/var/cache/apt/archives"
  exec chroot "$tree" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" \
    bash -euo pipefail -c 'cd /root/quorlitz
      . /etc/os-release && echo "== Running on $PRETTY_NAME =="
      ./scripts/install-deps.sh build test
      gcc --version | head -n1; cmake --version | head -n1; appstreamcli --version; lintian --version
      exec ./scripts/test.sh'
fi

[ "$(id -u)" -eq 0 ] || { echo "test-debian13.sh: run as root (it chroots and mounts)" >&2; exit 1; }
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if ! command -v debootstrap >/dev/null; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
fi
mkdir -p "$cache"
# The tree has no .git: the build takes its timestamps from here.
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct) && export SOURCE_DATE_EPOCH
tree=$(mktemp -d "${TMPDIR:-/var/tmp}/quorlitz-trixie.XXXXXX")

remove_tree() {
  # The namespace has gone with its mounts, the tmpfs among them; should anything still be mounted
  # there, keep it rather than risk deleting through a bind mount into the host.
  if findmnt -rn -o TARGET | grep -q "^$tree"; then
    echo "test-debian13.sh: $tree still has mounts below it, left in place" >&2
  else
    rm -rf --one-file-system "$tree"
  fi
}
trap remove_tree EXIT
trap 'exit 130' INT TERM
status=0
unshare --mount --propagation private "$root/scripts/test-debian13.sh" --inside "$tree" "$root" || status=$?
echo "test-debian13.sh: exit status $status after ${SECONDS}s"
exit "$status"
