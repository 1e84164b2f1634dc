#!/usr/bin/env bash
# A whole game with the mouse. Player 1 always clicks slot 0, Player 2 slot 1; Player 1's fourth
# token completes a line of four in slot 0, so Player 1 loses and the outcome screen names
# "Player 2" in Player 2's colour. A key release there brings the menu back.
source "$(dirname "$0")/lib.sh"

start_game
colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
new_game click_at $(( BOX_X + BOX_W / 2 )) $(( BOX_Y + BOX_H / 2 ))
play 0 1 0 1 0 1
click_slot 0
expect_outcome 2
key space
wait_for "the menu after a key release on the outcome screen" on_menu
key Escape
expect_clean_exit
