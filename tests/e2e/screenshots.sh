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
# The same full-board order as the no-winner scenario.
FILL_ORDER=(0 3 0 0 1 0 0 3 1 1 2 1 1 5 2 2 3 2 2 5 3 3 4 6 4 4 5 4 5 6 6 5 6 6 4)

# Drops the tokens of a list of slots, the players taking turns from Player 1, and waits for each.
play_slots()
{
    local player=1 slot
    for slot in "$@"; do
        click_slot "$slot"
        expect_drop "$slot" $player
        player=$(( 3 - player ))
    done
}

start_display
start_game
wait_for "the menu" on_menu
save_shot "$docs/menu.png"

key Return
wait_for "an empty board" board_as_expected
play_slots "${FILL_ORDER[@]:0:13}"
point_at "$(slot_x 4)" 300
wait_for "the cursor over slot 4" cursor_in 4
save_shot "$docs/game.png"
key Escape
wait_for "the menu" on_menu

key Return
clear_expected_board
wait_for "an empty board" board_as_expected
play_slots 3 2 3 2 4 2 3 4
click_slot 3
wait_for "the winner's text" shows_winner "$PLAYER2"
wait_until_drifting
save_shot "$docs/winner.png"
key space
wait_for "the menu" on_menu

key Return
clear_expected_board
wait_for "an empty board" board_as_expected
play_slots "${FILL_ORDER[@]:0:34}"
click_slot "${FILL_ORDER[34]}"
wait_for "the no-winner text" shows_no_winner
wait_until_drifting
save_shot "$docs/no-winner.png"
key space
wait_for "the menu" on_menu
key Escape
expect_clean_exit
log "pictures saved in $docs"
