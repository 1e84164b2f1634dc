#!/usr/bin/env bash
# Checks that the given files are as clang-format 14 (Debian 12's) writes them by the checkout's
# .clang-format. Other versions lay some constructs out differently, so elsewhere the check is
# skipped (status 77) rather than failed.
#   clang_format.sh <file...>
set -euo pipefail
version=$(clang-format --version 2>/dev/null | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "$version" != 14 ]; then
    echo "clang-format ${version:-missing}: the format is checked with version 14 only"
    exit 77
fi
exec clang-format --dry-run --Werror "$@"
