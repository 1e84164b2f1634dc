#!/usr/bin/env bash
# Runs a command from the top of a checkout on its tracked files whose paths match an extended regular
# expression. A copy without git (scripts/test-debian.sh's) leaves the check to the checkout.
#   tracked_files.sh <checkout> <regular expression> <command...>
set -euo pipefail
cd "$1"
git rev-parse --is-inside-work-tree >/dev/null 2>&1 || { echo "skipped: not a git checkout"; exit 77; }
mapfile -t files < <(git ls-files | grep -E "$2")
shift 2
exec "$@" "${files[@]}"
