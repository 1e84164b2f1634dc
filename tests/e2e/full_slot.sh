#!/usr/bin/env bash
# A click on a full slot places nothing and keeps the turn: after five tokens in slot 3 (the last
# one Player 1's), Player 2 clicks slot 3 again; the board stays as it was, and Player 2's next
# click, on slot 4, places Player 2's token.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for "the menu" on_menu
key Return
wait_for "an empty board" board_as_expected

player=1
for turn in 1 2 3 4 5; do
    click_slot 3
    expect_drop 3 $player
    player=$(( 3 - player ))
done

click_slot 3
# Events are handled in order: once the cursor has followed the pointer to slot 4, the click on
# the full slot has been dealt with.
point_at "$(slot_x 4)" 300
wait_for "the cursor over slot 4" cursor_in 4
board_as_expected || fail "the click on the full slot changed the board"
click_slot 4
expect_drop 4 2
click_slot 4
expect_drop 4 1

key Escape
wait_for "the menu after Escape" on_menu
key Escape
expect_clean_exit
log "passed"
