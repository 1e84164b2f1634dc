#!/usr/bin/env bash
# The menu as the player sees it: a white screen with "start new game" highlighted in green above
# "quit program" in grey, and the blue credits block in the bottom-right corner. Down and Up move
# the highlight, wrapping round at both ends; Escape ends the program quietly.
source "$(dirname "$0")/lib.sh"

# Sets GREEN_TOP and GREY_TOP: the highlighted entry and the normal one.
find_entries()
{
    colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
    [ "$BOX_COUNT" -gt 200 ] || return 1
    GREEN_TOP=$BOX_Y GREEN_BOTTOM=$(( BOX_Y + BOX_H ))
    # The credits are blue and small; grey is only the normal entry and the anti-aliased edges of
    # the credits, so look for it left of them.
    colour_box 0 0 $(( WIDTH / 2 + 200 )) $(( HEIGHT - 80 )) "$GREY"
    [ "$BOX_COUNT" -gt 100 ] || return 1
    GREY_TOP=$BOX_Y GREY_BOTTOM=$(( BOX_Y + BOX_H ))
}

first_highlighted() { on_menu && find_entries && [ "$GREEN_BOTTOM" -le "$GREY_TOP" ]; }
second_highlighted() { on_menu && find_entries && [ "$GREY_BOTTOM" -le "$GREEN_TOP" ]; }

start_display
start_game
wait_for "the menu with the first entry highlighted" first_highlighted
log "green entry rows $GREEN_TOP-$GREEN_BOTTOM, grey entry rows $GREY_TOP-$GREY_BOTTOM"
first_green_top=$GREEN_TOP

# Both entries are centred across the window.
colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
centre=$(( BOX_X + BOX_W / 2 ))
[ "$centre" -ge $(( WIDTH / 2 - 10 )) ] && [ "$centre" -le $(( WIDTH / 2 + 10 )) ] ||
    fail "highlighted entry centred at x = $centre, expected about $(( WIDTH / 2 ))"

# The credits: blue text, flush with the bottom-right corner, nowhere else.
colour_box 0 0 $WIDTH $HEIGHT "$BLUE"
log "blue pixels: $BOX_COUNT in ${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}"
[ "$BOX_COUNT" -gt 30 ] || fail "no blue credits text"
[ "$BOX_X" -ge $(( WIDTH / 2 )) ] && [ "$BOX_Y" -ge $(( HEIGHT * 3 / 4 )) ] ||
    fail "blue pixels reach up or left to ($BOX_X, $BOX_Y), outside the bottom-right corner"
[ $(( BOX_X + BOX_W )) -ge $(( WIDTH - 8 )) ] && [ $(( BOX_Y + BOX_H )) -ge $(( HEIGHT - 12 )) ] ||
    fail "credits end at ($(( BOX_X + BOX_W )), $(( BOX_Y + BOX_H ))), not in the corner"

key Down
wait_for "Down to highlight the second entry" second_highlighted
[ "$GREEN_TOP" -gt "$first_green_top" ] || fail "the highlight did not move down"
key Down
wait_for "Down on the last entry to wrap round to the first" first_highlighted
[ "$GREEN_TOP" -eq "$first_green_top" ] || fail "first entry highlighted at y $GREEN_TOP, was $first_green_top"
key Up
wait_for "Up on the first entry to wrap round to the last" second_highlighted
key Up
wait_for "Up to highlight the first entry again" first_highlighted

key Escape
expect_clean_exit
log "passed"
