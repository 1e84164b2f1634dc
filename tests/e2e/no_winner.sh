#!/usr/bin/env bash
# A full board without a line of four for either player ends with the grey no-winner text.
# Closing the window on the outcome screen ends only that screen: the menu comes back.
source "$(dirname "$0")/lib.sh"

start_game
new_game
play "${NO_WINNER_FILL[@]:0:34}"
click_slot "${NO_WINNER_FILL[34]}"
expect_outcome 0
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
key Escape
expect_clean_exit
