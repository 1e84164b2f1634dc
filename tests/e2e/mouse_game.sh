#!/usr/bin/env bash
# A whole game with the mouse. Player 1 always clicks slot 0, Player 2 slot 1; Player 1's fourth
# token completes a line of four in slot 0, so Player 1 loses and the outcome screen names
# "Player 2" in Player 2's colour. A key release there brings the menu back.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for "the menu" on_menu
colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
click_at $(( BOX_X + BOX_W / 2 )) $(( BOX_Y + BOX_H / 2 ))
wait_for "an empty board after clicking \"start new game\"" board_as_expected

for _ in 1 2 3; do
    click_slot 0
    expect_drop 0 1
    click_slot 1
    expect_drop 1 2
done
log "three tokens each, no outcome yet"

click_slot 0
wait_for "the outcome screen naming Player 2 in (128, 128, 255)" shows_winner "$PLAYER2"
expect_loser_colour_absent "$PLAYER1"
wait_until_drifting
key space
wait_for "the menu after a key release on the outcome screen" on_menu
key Escape
expect_clean_exit
log "passed"
