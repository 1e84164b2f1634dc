#!/usr/bin/env bash
# A game by mouse: a click on "start new game", then one 2 pixels inside the left (L) and one inside
# the right (R) edge of every drawn column, each token landing in the column under the pointer.
# Twice the button is pressed over slot 0 and released off the window, past its left edge and past
# its right: that chooses nothing, and the same player drops next. Player 2's last token completes
# four and loses: the outcome names Player 1 in red. Closing the window ends that screen, and in the
# menu the program.
source "$(dirname "$0")/lib.sh"
click_edge() { local x=$(( BOARD_X + ${1%?} * CELL_W + 2 )); [ "${1#?}" = L ] || x=$(( x + CELL_W - 5 )); click_at $x 300; }
release_off()
{
    eval "$(xdotool getwindowgeometry --shell --prefix GEOM_ "$WIN")"
    xdotool mousemove $(( GEOM_X + $(slot_x 0) )) $(( GEOM_Y + 300 )) mousedown 1 \
        mousemove $(( GEOM_X + $1 )) $(( GEOM_Y + 300 )) mouseup 1
}

start_game
read -r w h x y <<<"$(colour_mask 0,255,0 '%@' | tr 'x+' '  ')"
new_game click_at $(( x + w / 2 )) $(( y + h / 2 ))
for click in 5L 1L 5R 1R 4L 6L 0L 2L 3L 2R 6R 0R 4R; do   # no line of four before 3R
    case $click in 5L) release_off -100 ;; 1L) release_off $(( 640 + 100 )) ;; esac
    click_edge "$click"
    expect_drop "${click%?}"
done
click_edge 3R
expect_outcome 255,52,52
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
close_window
expect_clean_exit
