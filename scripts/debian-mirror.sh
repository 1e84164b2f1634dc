#!/usr/bin/env bash
# Prints the Debian archive that the scripts fetch from: DEBIAN_MIRROR if set, else the one this
# system's apt already uses for its main suite (not the security archive, not -updates).
set -euo pipefail
if [ -n "${DEBIAN_MIRROR:-}" ]; then
  echo "${DEBIAN_MIRROR%/}"
  exit 0
fi
# Read from the configuration, so it works before the first apt-get update too.
# shellcheck disable=SC2016  # apt's placeholders, not the shell's
mirror=$(apt-get indextargets --no-release-info --format '$(RELEASE) $(REPO_URI)' 'Created-By: Packages' \
  | awk '$1 ~ /^(buster|bullseye|bookworm|trixie|forky|duke|sid|oldstable|stable|testing|unstable)$/ {
           print $2; exit }')
if [ -z "$mirror" ]; then
  echo "debian-mirror.sh: no Debian archive in apt's sources (run apt-get update, or set DEBIAN_MIRROR)" >&2
  exit 1
fi
echo "${mirror%/}"
