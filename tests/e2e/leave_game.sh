#!/usr/bin/env bash
# Leaving a game: Escape abandons it and shows the menu, the next game starts from an empty board
# with Player 1; closing the window during a game ends the program quietly, and so does closing it
# in the menu.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_for "the menu" on_menu
key Return
wait_for "an empty board" board_as_expected
click_slot 2
expect_drop 2 1
click_slot 2
expect_drop 2 2

key Escape
wait_for "the menu after Escape during the game" on_menu
key Return
clear_expected_board
wait_for "an empty board in the next game" board_as_expected
click_slot 5
expect_drop 5 1

close_window
expect_clean_exit
log "closing the window during a game ended the program"

start_game
wait_for "the menu" on_menu
close_window
expect_clean_exit
log "passed"
