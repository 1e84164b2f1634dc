#!/usr/bin/env bash
# Leaving a game: Escape abandons it and shows the menu, the next game starts from an empty board
# with Player 1; closing the window during a game ends the program quietly, and so does closing it
# in the menu.
source "$(dirname "$0")/lib.sh"

start_game
new_game
play 2 2
key Escape
wait_for "the menu after Escape during the game" on_menu
new_game
play 5
close_window
expect_clean_exit
start_game
close_window
expect_clean_exit
