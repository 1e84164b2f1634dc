#!/usr/bin/env bash
# Runs a command from the top of a checkout on its tracked files whose paths match an extended regular
# expression; in a copy of those files alone (scripts/test-debian.sh's), on all outside the build trees.
#   tracked_files.sh <checkout> <regular expression> <command...>
set -euo pipefail
cd "$1"
pattern=$2
shift 2
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files | grep -E "$pattern")
else
    mapfile -t files < <(find . -path './build*' -prune -o -type f -printf '%P\n' | grep -E "$pattern")
fi
exec "$@" "${files[@]}"
