#!/usr/bin/env bash
# Clicks that place nothing keep the turn: after five tokens in slot 3 (the last one Player 1's),
# Player 2 clicks the full slot 3 and right-clicks slot 5; the board stays as it was. Player 2's
# next left click, at the window's right edge (x 637 to 639 lie beyond the last whole 91-pixel
# band), places Player 2's token in the last slot.
source "$(dirname "$0")/lib.sh"

start_game
new_game
play 3 3 3 3 3
click_slot 3
click_at "$(slot_x 5)" 300 3
# Events are handled in order: once the cursor has followed the pointer to slot 4, both clicks
# have been dealt with.
point_at "$(slot_x 4)" 300
wait_for "the cursor over slot 4" cursor_in 4
board_as_expected || fail "a click on the full slot or a right click changed the board"
click_at $(( WIDTH - 2 )) 300
expect_drop 6
play 4
key Escape
wait_for "the menu after Escape" on_menu
key Escape
expect_clean_exit
