#!/usr/bin/env bash
# Builds the game as ./scripts/play.sh does in a tree outside the checkout, as a packager's often is.
#   play_tree.sh build|remove <link to the tree>
set -euo pipefail
step=$1 link=$2
if [ -L "$link" ]; then
    rm -rf "$(readlink "$link")" "$link"
fi
if [ "$step" = build ]; then
    tree=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-play-tree.XXXXXX")
    ln -s "$tree" "$link"
    "$(dirname "$0")/../../scripts/build-game.sh" "$tree" >/dev/null
fi
