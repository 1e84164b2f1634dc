#!/usr/bin/env bash
# The menu as the player sees it: a white screen with "start new game" highlighted in green above
# "quit program" in grey, and the blue credits block in the bottom-right corner. Down and Up move
# the highlight, wrapping round at both ends; Escape ends the program quietly.
source "$(dirname "$0")/lib.sh"

# The green (highlighted) entry lies above the grey one with "first", below it with "second", and
# is centred across the window. Grey is only the normal entry and the anti-aliased edges of the
# blue credits, so it is looked for left of and above them.
highlighted()
{
    on_menu || return 1
    colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
    GREEN_TOP=$BOX_Y GREEN_BOTTOM=$(( BOX_Y + BOX_H )) GREEN_CENTRE=$(( BOX_X + BOX_W / 2 ))
    colour_box 0 0 $(( WIDTH / 2 + 200 )) $(( HEIGHT - 80 )) "$GREY"
    [ "$BOX_COUNT" -gt 100 ] || return 1
    (( GREEN_CENTRE >= WIDTH / 2 - 10 && GREEN_CENTRE <= WIDTH / 2 + 10 )) ||
        fail "highlighted entry centred at x = $GREEN_CENTRE, expected about $(( WIDTH / 2 ))"
    if [ "$1" = first ]; then [ "$GREEN_BOTTOM" -le "$BOX_Y" ]; else [ $(( BOX_Y + BOX_H )) -le "$GREEN_TOP" ]; fi
}

start_game
wait_for "the menu with the first entry highlighted" highlighted first
first_green_top=$GREEN_TOP

colour_box 0 0 $WIDTH $HEIGHT "$BLUE"
log "blue pixels: $BOX_COUNT in ${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}"
[ "$BOX_COUNT" -gt 30 ] || fail "no blue credits text"
[ "$BOX_X" -ge $(( WIDTH / 2 )) ] && [ "$BOX_Y" -ge $(( HEIGHT * 3 / 4 )) ] ||
    fail "blue pixels reach up or left to ($BOX_X, $BOX_Y), outside the bottom-right corner"
[ $(( BOX_X + BOX_W )) -ge $(( WIDTH - 8 )) ] && [ $(( BOX_Y + BOX_H )) -ge $(( HEIGHT - 12 )) ] ||
    fail "credits end at ($(( BOX_X + BOX_W )), $(( BOX_Y + BOX_H ))), not in the corner"

key Down
wait_for "Down to highlight the second entry" highlighted second
[ "$GREEN_TOP" -gt "$first_green_top" ] || fail "the highlight did not move down"
key Down
wait_for "Down on the last entry to wrap round to the first" highlighted first
[ "$GREEN_TOP" -eq "$first_green_top" ] || fail "first entry highlighted at y $GREEN_TOP, was $first_green_top"
key Up
wait_for "Up on the first entry to wrap round to the last" highlighted second
key Up
wait_for "Up to highlight the first entry again" highlighted first
key Escape
expect_clean_exit
