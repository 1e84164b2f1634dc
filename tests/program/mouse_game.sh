#!/usr/bin/env bash
# A game by mouse: a click on "start new game", then one 2 pixels inside the left (L) and one inside
# the right (R) edge of every drawn column, each token landing in the column under the pointer.
# First, past every edge of the window that the screen leaves room beyond, the left button is
# pressed over slot 1, dragged out, along the edge over other slots, and released there: the arrow
# stays over slot 1 and nothing drops. Then another window takes the focus, and the first click on
# the board gives it back and drops Player 1's token; each click drops one token, a double click
# two. Player 2's last token completes four and loses: the outcome names Player 1 in red. Closing
# the window ends that screen, and in the menu the program.
source "$(dirname "$0")/lib.sh"
readonly BEYOND=40   # pixels past an edge
click_edge()
{
    local x=$(( BOARD_X + ${1%?} * CELL_W + 2 ))
    [ "${1#?}" = L ] || x=$(( x + CELL_W - 5 ))
    click_at $x 300
}
# The slot whose column holds the middle of the arrow in the strip.
arrow_slot()
{
    local w h x y
    read -r w h x y < <("$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop 640x60+0+0 +repage -fuzz 6% \
        -fill black -opaque white -fill white +opaque black -format '%@' info: | tr 'x+' '  ')
    echo $(( (x + w / 2 - BOARD_X) / CELL_W ))
}
# Presses over slot 1, drags through the given points (window coordinates) and releases at the last;
# counts one more edge in edges.
drag_off()
{
    local moves=()
    while [ $# -gt 0 ]; do
        moves+=(mousemove -- $(( GEOM_X + $1 )) $(( GEOM_Y + $2 )) sleep 0.05)
        shift 2
    done
    xdotool mousemove --window "$WIN" "$(slot_x 1)" 300 sleep 0.1 mousedown 1 "${moves[@]}" sleep 0.3
    # sdl12-compat reports a pointer dragged outside as moving along the window's edge, with the
    # focus kept, so only classic SDL lets the game tell it is outside before the release.
    if [ "${QUORLITZ_SDL:-}" != compat ]; then
        shoot
        [ "$(arrow_slot)" = 1 ] ||
            fail "the arrow moved to slot $(arrow_slot) while the pointer was outside the window"
    fi
    xdotool mouseup 1 sleep 0.1
    edges=$(( edges + 1 ))
}
# Another window takes the focus, as a window manager gives it on a click.
other_window() { THIEF=$(xdotool search --onlyvisible --name '^xmessage$' | head -n1); }
steal_focus()
{
    xmessage -buttons '' "another window" &
    poll "the other window" other_window
    xdotool mousemove --window "$THIEF" 5 5 click 1
    poll "the other window to take the focus" not has_focus
}

start_game
read -r w h x y <<<"$(colour_mask 0,255,0 '%@' | tr 'x+' '  ')"
new_game click_at $(( x + w / 2 )) $(( y + h / 2 ))
window_geometry
edges=0
(( GEOM_X < BEYOND )) || drag_off -$BEYOND 300 -$BEYOND 100
(( GEOM_X + 640 + BEYOND > SCREEN_W )) || drag_off $(( 640 + BEYOND )) 300 $(( 640 + BEYOND )) 100
(( GEOM_Y < BEYOND )) || drag_off "$(slot_x 5)" -$BEYOND "$(slot_x 6)" -$BEYOND
(( GEOM_Y + 480 + BEYOND > SCREEN_H )) ||
    drag_off "$(slot_x 5)" $(( 480 + BEYOND )) "$(slot_x 6)" $(( 480 + BEYOND ))
log "released past $edges edges"
[ $edges -gt 0 ] || fail "the screen leaves no room beyond any edge of the window"
steal_focus
for click in 5L 1L 5R 1R 4L 6L 0L 2L 3L 2R 6R 0R 4R; do   # no line of four before 3R
    click_edge "$click"
    expect_drop "${click%?}"
    [ "$click" != 5L ] || has_focus || fail "the click on the board did not give the window its focus back"
done
# A real double click drops twice, one token a click: both players' in slot 6.
xdotool mousemove --window "$WIN" "$(slot_x 6)" 300 click --repeat 2 --delay 120 1
expect_drop 6
expect_drop 6
click_edge 3R
expect_outcome 255,52,52
close_window
wait_for "the menu after closing the window on the outcome screen" on_menu
close_window
expect_clean_exit
