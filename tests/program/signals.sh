#!/usr/bin/env bash
# SIGINT and SIGTERM end the program with status 0 from every screen: the menu, a game, and the
# outcome screen, which a window close only ends.
source "$(dirname "$0")/lib.sh"
signal_ends_game() { kill "-$1" "$GAME_PID"; expect_clean_exit; }

start_game
signal_ends_game INT

start_game
new_game key Return
key Right Return
expect_drop 1
signal_ends_game TERM

# Player 1 stacks four in slot 0 and loses: once with the signal sent as the deciding key is
# released, when the outcome screen throws input away, and once with the text on the screen.
lose_in_slot_0() { key Return Right Return Left Return Right Return Left Return Right Return Left Return; }
start_game
new_game key Return
lose_in_slot_0
signal_ends_game TERM

start_game
new_game key Return
lose_in_slot_0
wait_for "the outcome text over the strip" not has_colour 255,255,255 36000 640x60+0+0
signal_ends_game INT
