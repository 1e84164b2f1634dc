#!/usr/bin/env bash
# A game by mouse. A click on the highlighted "start new game", then one click 2 pixels inside the
# left (L) and one 2 pixels inside the right (R) edge of every drawn column (the board starts at
# x = 1, its columns are 91 wide): each token must land in the column under the pointer. Player 2's
# last token completes four in row 1 and loses, so the outcome names Player 1 in Player 1's colour.
# Closing the window there ends only that screen; closing it in the menu ends the program.
source "$(dirname "$0")/lib.sh"

click_edge()
{
    local slot=${1%?}
    if [ "${1#?}" = L ]; then click_at $(( slot * CELL_W + 3 )) 300; else click_at $(( (slot + 1) * CELL_W - 2 )) 300; fi
}

start_game
read -r w h x y <<<"$(colour_mask 0,255,0 '%@' | tr 'x+' '  ')"
new_game click_at $(( x + w / 2 )) $(( y + h / 2 ))
# Found by a small search: no line of four before the last token.
for click in 5L 1L 5R 1R 4L 6L 0L 2L 3L 2R 6R 0R 4R; do
    click_edge "$click"
    expect_drop "${click%?}"
done
click_edge 3R
expect_outcome 255,52,52
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
close_window
expect_clean_exit
