#!/usr/bin/env bash
# A game by mouse: drags out past the window's edges drop nothing, the click that takes the focus back
# drops, a double click drops twice; closing the window on the outcome screen ends only that screen.
source "$(dirname "$0")/lib.sh"
readonly BEYOND=40   # pixels past an edge
click_edge()
{
    local x=$(( BOARD_X + ${1%?} * CELL_W + 2 ))
    [ "${1#?}" = L ] || x=$(( x + CELL_W - 5 ))
    click_at $x 300
}
# Presses over slot 1 and releases after dragging through the given points.
drag_off()
{
    local moves=()
    while [ $# -gt 0 ]; do
        moves+=(mousemove -- $(( GEOM_X + $1 )) $(( GEOM_Y + $2 )) sleep 0.05)
        shift 2
    done
    xdotool mousemove --window "$WIN" "$(slot_x 1)" 300 sleep 0.1 mousedown 1 "${moves[@]}" sleep 0.3
    # sdl12-compat reports a pointer dragged outside as on the edge, so only classic SDL lets the game
    # tell it is outside before the release.
    if [ "${QUORLITZ_SDL:-}" != compat ]; then
        shoot
        [ "$(colour_mask 255,255,255 '%[fx:mean < 0.9]' "${CELL_W}x60+$(( BOARD_X + CELL_W ))+0")" = 1 ] ||
            fail "the arrow left slot 1 while the pointer was outside the window"
    fi
    xdotool mouseup 1 sleep 0.1
}
other_window() { THIEF=$(xdotool search --onlyvisible --name '^xmessage$' | head -n1); }

start_game
read -r w h x y <<<"$(colour_mask 0,255,0 '%@' | tr 'x+' '  ')"
new_game click_at $(( x + w / 2 )) $(( y + h / 2 ))
# xdotool's own geometry counts the frame in twice.
eval "$(xwininfo -id "$WIN" | sed -n 's/^ *Absolute upper-left \([XY]\): *\(-\?[0-9]*\)$/GEOM_\1=\2/p')"
read -r SCREEN_W SCREEN_H < <(xdotool getdisplaygeometry)
(( GEOM_X < BEYOND )) || drag_off -$BEYOND 300 -$BEYOND 100
(( GEOM_X + 640 + BEYOND > SCREEN_W )) || drag_off $(( 640 + BEYOND )) 300 $(( 640 + BEYOND )) 100
(( GEOM_Y < BEYOND )) || drag_off "$(slot_x 5)" -$BEYOND "$(slot_x 6)" -$BEYOND
(( GEOM_Y + 480 + BEYOND > SCREEN_H )) ||
    drag_off "$(slot_x 5)" $(( 480 + BEYOND )) "$(slot_x 6)" $(( 480 + BEYOND ))
xmessage -buttons '' "another window" &
poll "the other window" other_window
xdotool mousemove --window "$THIEF" 5 5 click 1
poll "the other window to take the focus" not has_focus
for click in 5L 1L 5R 1R 4L 6L 0L 2L 3L 2R 6R 0R 4R; do   # no line of four before 3R
    click_edge "$click"
    expect_drop "${click%?}"
    [ "$click" != 5L ] || has_focus || fail "the click on the board did not give the window its focus back"
done
xdotool mousemove --window "$WIN" "$(slot_x 6)" 300 click --repeat 2 --delay 120 1
expect_drop 6
expect_drop 6
click_edge 3R   # Player 2 completes four and loses
expect_outcome 255,52,52
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
close_window
expect_clean_exit
