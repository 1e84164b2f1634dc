#!/usr/bin/env bash
# A whole game with the keyboard only: Return to start, Left and Right to move the cursor (wrapping
# round between slot 0 and slot 6), Return to drop. Player 2's fourth token in slot 0 completes a
# line, so Player 1 wins. Then "quit program" is chosen with Down and Return.
source "$(dirname "$0")/lib.sh"

move_cursor() { key "$1"; wait_for "the cursor over slot $2 after $1" cursor_in "$2"; }

start_game
new_game
wait_for "the cursor over slot 0" cursor_in 0
for _ in 1 2 3; do
    move_cursor Left 6
    key Return
    expect_drop 6
    move_cursor Right 0
    key Return
    expect_drop 0
done
move_cursor Left 6
move_cursor Left 5
key Return
expect_drop 5
move_cursor Right 6
move_cursor Right 0
key Return
expect_outcome 1
key Return
wait_for "the menu after a key release on the outcome screen" on_menu
key Down Return
expect_clean_exit
