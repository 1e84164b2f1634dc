#!/usr/bin/env bash
# Other versions than Debian 12's clang-format 14 lay some constructs out differently.
set -euo pipefail
version=$(clang-format --version 2>/dev/null | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "$version" != 14 ]; then
    echo "clang-format ${version:-missing}: the format is checked with version 14 only"
    exit 77
fi
exec clang-format --dry-run --Werror "$@"
