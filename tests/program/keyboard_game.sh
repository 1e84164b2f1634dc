#!/usr/bin/env bash
# A game by keyboard: Return starts it and drops, Left and Right move the cursor the shorter way,
# across the wrap if shorter. Return on the full slot 0 is refused: Player 2 still drops next. The
# board fills without a line of four (top row first, X Player 1: XXXOXOO / OOOXOXX / OOOXOXX /
# XXXOXOO / XXXOXOO) and the outcome shows the grey no-winner text. Escape ends that screen, and
# in the menu the program.
source "$(dirname "$0")/lib.sh"
fill=(0 3 0 0 1 0 0 3 1 1 2 1 1 5 2 2 3 2 2 5 3 3 4 6 4 4 5 4 5 6 6 5 6 6 4)
cursor=0
move_and_drop()
{
    local step=Right count=$(( ($1 - cursor + SLOTS) % SLOTS )) keys=()
    if (( count > SLOTS / 2 )); then step=Left count=$(( SLOTS - count )); fi
    for (( ; count > 0; count-- )); do keys+=("$step"); done
    key "${keys[@]}" Return
    cursor=$1
}

start_game
new_game key Return
for i in "${!fill[@]}"; do
    move_and_drop "${fill[i]}"
    (( i == ${#fill[@]} - 1 )) || expect_drop "${fill[i]}"
    (( i != 6 )) || key Return
done
expect_outcome 128,128,128
key Escape
wait_for "the menu after Escape on the outcome screen" on_menu
key Escape
expect_clean_exit
