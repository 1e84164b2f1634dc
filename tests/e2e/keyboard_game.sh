#!/usr/bin/env bash
# A whole game with the keyboard only: Return to start, Left and Right to move the cursor (wrapping
# round between slot 0 and slot 6), Return to drop. Player 2's fourth token in slot 0 completes a
# line, so Player 1 wins. Then "quit program" is chosen with Down and Return.
source "$(dirname "$0")/lib.sh"

# Moves the cursor with one key and waits until the strip shows it over the slot.
move_cursor() { key "$1"; wait_for "the cursor over slot $2 after $1" cursor_in "$2"; }

drop_here() { key Return; expect_drop "$1" "$2"; }

start_display
start_game
wait_for "the menu" on_menu
key Return
wait_for "an empty board with the cursor over slot 0" cursor_in 0
board_as_expected || fail "the board is not empty at the start"

for _ in 1 2 3; do
    move_cursor Left 6            # slot 0 -> the last slot
    drop_here 6 1
    move_cursor Right 0           # the last slot -> slot 0
    drop_here 0 2
done
move_cursor Left 6
move_cursor Left 5
drop_here 5 1
move_cursor Right 6
move_cursor Right 0
key Return
wait_for "the outcome screen naming Player 1 in (255, 52, 52)" shows_winner "$PLAYER1"
expect_loser_colour_absent "$PLAYER2"
wait_until_drifting
key Return
wait_for "the menu after a key release on the outcome screen" on_menu
key Down
key Return
expect_clean_exit
log "passed"
