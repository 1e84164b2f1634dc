#!/usr/bin/env bash
# Plays through the program's screens in a private X server and saves what the player sees as the
# pictures of the README: docs/menu.png, docs/game.png, docs/winner.png and docs/no-winner.png.
# Not a test; run it after a build, from anywhere:
#   tests/e2e/screenshots.sh [quorlitz binary] [close_window helper]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
set -- "${1:-$root/build/quorlitz}" "${2:-$root/build/tests/e2e/close_window}"
source "$root/tests/e2e/lib.sh"
docs=$root/docs
mkdir -p "$docs"

start_game
save_shot "$docs/menu.png"
new_game
play "${NO_WINNER_FILL[@]:0:13}"
point_at "$(slot_x 4)" 300
wait_for "the cursor over slot 4" cursor_in 4
save_shot "$docs/game.png"
key Escape
wait_for "the menu" on_menu
new_game
play 3 2 3 2 4 2 3 4
click_slot 3
wait_for "the winner's text" shows_winner "${CELL_SHOWS[2]}"
wait_until_drifting
save_shot "$docs/winner.png"
key space
wait_for "the menu" on_menu
new_game
play "${NO_WINNER_FILL[@]:0:34}"
click_slot "${NO_WINNER_FILL[34]}"
expect_outcome 0
save_shot "$docs/no-winner.png"
key space
wait_for "the menu" on_menu
key Escape
expect_clean_exit
log "pictures saved in $docs"
