#!/usr/bin/env bash
# Runs a command from the top of a checkout on its tracked files whose paths match an extended
# regular expression.   tracked_files.sh <checkout> <regular expression> <command...>
# In a copy of the tracked files alone, without git (scripts/test-debian.sh makes one), every file
# outside the build trees counts.
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
