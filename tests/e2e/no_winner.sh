#!/usr/bin/env bash
# A full board without a line of four for either player ends with the grey no-winner text.
# Closing the window on the outcome screen ends only that screen: the menu comes back.
#
# The fill order below was worked out and checked once by a small search: it alternates the
# players from Player 1 and leaves the board (top row first; X Player 1, O Player 2)
#   XXXOXOO
#   OOOXOXX
#   OOOXOXX
#   XXXOXOO
#   XXXOXOO
# in which no row, column or diagonal holds four of one kind.
source "$(dirname "$0")/lib.sh"

FILL_ORDER=(0 3 0 0 1 0 0 3 1 1 2 1 1 5 2 2 3 2 2 5 3 3 4 6 4 4 5 4 5 6 6 5 6 6 4)

start_display
start_game
wait_for "the menu" on_menu
key Return
wait_for "an empty board" board_as_expected

player=1
for move in "${!FILL_ORDER[@]}"; do
    slot=${FILL_ORDER[move]}
    click_slot "$slot"
    if [ "$move" -lt $(( ${#FILL_ORDER[@]} - 1 )) ]; then
        expect_drop "$slot" $player
    fi
    player=$(( 3 - player ))
done
log "board full"
wait_for "the grey no-winner text" shows_no_winner
colour_box 0 0 $WIDTH $STRIP "$PLAYER1"
[ "$BOX_COUNT" -lt 20 ] || fail "a winner's colour in the no-winner text"
colour_box 0 0 $WIDTH $STRIP "$PLAYER2"
[ "$BOX_COUNT" -lt 20 ] || fail "a winner's colour in the no-winner text"

wait_until_drifting
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
key Escape
expect_clean_exit
log "passed"
