#!/usr/bin/env bash
# Plays through the program's screens in a private X server and saves what the player sees as the
# README's pictures: docs/menu.png, docs/game.png, docs/winner.png and docs/no-winner.png.
# Run it after a build, from anywhere:   tools/screenshots.sh [build directory, default build/]
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath "${1:-$root/build}")
source "$root/tests/program/lib.sh" "$build/quorlitz"
save() { "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -strip "$root/docs/$1.png"; }   # -strip: no time stamp
play() { local slot; for slot; do click_at "$(slot_x "$slot")" 300; expect_drop "$slot"; done; }
# A full board without a line of four, players alternating from Player 1.
fill=(0 3 0 0 1 0 0 3 1 1 2 1 1 5 2 2 3 2 2 5 3 3 4 6 4 4 5 4 5 6 6 5 6 6 4)

start_game
save menu
new_game key Return
play "${fill[@]:0:13}"
xdotool mousemove --window "$WIN" "$(slot_x 4)" 300 && sleep 1 && shoot
save game
key Escape
wait_for "the menu" on_menu
new_game key Return
play 3 2 3 2 4 2 3 4
click_at "$(slot_x 3)" 300
expect_outcome 128,128,255
save winner
key space
wait_for "the menu" on_menu
new_game key Return
play "${fill[@]:0:34}"
click_at "$(slot_x "${fill[34]}")" 300
expect_outcome 128,128,128
save no-winner
key Escape
wait_for "the menu" on_menu
key Escape
expect_clean_exit
echo "pictures saved in $root/docs"
