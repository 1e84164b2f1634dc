# Shared by the end-to-end scenarios: a private X server, the game in it, real input through
# xdotool, and what the player sees read back from screenshots. Sourced, never run.
#   <scenario>.sh <quorlitz binary> <close_window helper>     (the game runs where data/ lies)
set -euo pipefail

E2E_NAME=$(basename "$0" .sh)
E2E_BINARY=$(realpath "${1:?usage: $0 <quorlitz binary> <close_window helper>}")
E2E_CLOSE_WINDOW=$(realpath "${2:?usage: $0 <quorlitz binary> <close_window helper>}")
E2E_GAME_DIR=${E2E_GAME_DIR:-$(dirname "$E2E_BINARY")}
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-e2e.XXXXXX")
E2E_SHOT=$E2E_TMP/shot.rgb
E2E_ARTIFACTS=$E2E_GAME_DIR/e2e-artifacts/$E2E_NAME
E2E_STARTED=$EPOCHREALTIME
XVFB_PID= GAME_PID= GAME_STATUS= WIN=
# ImageMagick's own convert; another convert may stand earlier on the PATH.
if [ -x /usr/bin/convert ]; then MAGICK=/usr/bin/convert; else MAGICK=convert; fi
# How long any one screen state may take to appear. The sanitizer build is several times slower.
WAIT_SECONDS=${E2E_WAIT_SECONDS:-15}

readonly WIDTH=640 HEIGHT=480 SLOTS=7 ROWS=5 CELL_W=91 CELL=84 STRIP=60
readonly MARGIN_X=$(( (WIDTH - CELL_W * SLOTS) / 2 )) MARGIN_Y=$(( (HEIGHT - CELL * ROWS - STRIP) / 2 ))
readonly SLOT_BAND=$(( WIDTH / SLOTS ))                            # the mouse's slot is x / 91
readonly ABOVE_ROW_2=$(( HEIGHT - MARGIN_Y - 3 * CELL ))
readonly WHITE="255 255 255" BLUE="0 0 255" GREEN="0 255 0" GREY="128 128 128" BLACK="0 0 0"
readonly CELL_SHOWS=("$WHITE" "255 52 52" "128 128 255")           # empty, Player 1, Player 2
# The window is 16 bits deep: every colour comes back rounded to 5/6/5 bits.
readonly TOLERANCE=12
THRESHOLD=$(awk -v t=$TOLERANCE 'BEGIN { printf "%.3f%%", (t + 0.5) * 100 / 255 }')
# A full board without a line of four, players alternating from Player 1 (found by a small search):
#   XXXOXOO / OOOXOXX / OOOXOXX / XXXOXOO / XXXOXOO   (top row first; X Player 1, O Player 2)
readonly NO_WINNER_FILL=(0 3 0 0 1 0 0 3 1 1 2 1 1 5 2 2 3 2 2 5 3 3 4 6 4 4 5 4 5 6 6 5 6 6 4)

log() { printf '[%5.1fs] %s\n' "$(awk -v a="$E2E_STARTED" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')" "$*"; }

fail()
{
    echo "FAIL ($E2E_NAME): $*" >&2
    mkdir -p "$E2E_ARTIFACTS"
    [ ! -s "$E2E_SHOT" ] || save_shot "$E2E_ARTIFACTS/last-screen.png" || true
    cp -f "$E2E_TMP"/game.stdout "$E2E_TMP"/game.stderr "$E2E_ARTIFACTS/" 2>/dev/null || true
    echo "  last screen and game output kept in $E2E_ARTIFACTS; game's stderr:" >&2
    sed 's/^/    /' "$E2E_TMP/game.stderr" 2>/dev/null | head -40 >&2 || true
    exit 1
}

cleanup()
{
    local status=$?
    if [ -n "$GAME_PID" ] && [ -z "$GAME_STATUS" ]; then { kill -KILL "$GAME_PID"; wait "$GAME_PID"; } 2>/dev/null || true; fi
    if [ -n "$XVFB_PID" ]; then { kill -TERM "$XVFB_PID"; wait "$XVFB_PID"; } 2>/dev/null || true; fi
    rm -rf "$E2E_TMP"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Polls until a command holds, for at most WAIT_SECONDS; fails with the description otherwise.
poll()
{
    local what=$1 deadline=$(( SECONDS + WAIT_SECONDS ))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "timed out after $WAIT_SECONDS s waiting for: $what"
        sleep 0.05
    done
}

# As poll, on a fresh screenshot each time, and failing at once if the game has ended.
wait_for() { local what=$1; shift; poll "$what" screen_shows "$what" "$@"; }
screen_shows()
{
    game_alive || fail "the game ended (status $GAME_STATUS) while waiting for: $1"
    shift
    shoot && "$@"
}

# -noreset keeps the server and the pointer as they are when a client such as xdotool leaves.
start_display()
{
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    local WAIT_SECONDS=10
    poll "Xvfb to report a display" xvfb_ready
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    unset SDL_VIDEODRIVER WAYLAND_DISPLAY
    # The pointer waits in a corner, outside the window, so that no motion reaches the game
    # before a scenario moves the mouse on purpose.
    xdotool mousemove 0 0
    log "Xvfb on $DISPLAY"
}
xvfb_ready() { kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"; [ -s "$E2E_TMP/display" ]; }

# Starts the game (and the X server, the first time) and waits for its window and the menu.
start_game()
{
    [ -n "$XVFB_PID" ] || start_display
    # Sanitizer build: leaks are left to the tests under SDL's dummy driver. On X11 the libraries
    # leak at exit (sdl12-compat's video surface, D-Bus, the GL driver) and quick stacks end inside
    # them, while whole stacks (fast_unwind_on_malloc=0) make the game stall.
    (cd "$E2E_GAME_DIR" &&
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:fast_unwind_on_malloc=1" \
        exec "$E2E_BINARY" >"$E2E_TMP/game.stdout" 2>"$E2E_TMP/game.stderr") &
    GAME_PID=$! GAME_STATUS= WIN=
    poll "a window captioned Quorlitz" window_found
    local size
    size=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ "$size" = "${WIDTH}x${HEIGHT}" ] || fail "window is $size, expected ${WIDTH}x${HEIGHT}"
    # Without a window manager nothing gives the window the keyboard; a user would click into it.
    xdotool windowfocus "$WIN"
    log "game started, window $WIN"
    wait_for "the menu" on_menu
}
window_found()
{
    game_alive || fail "the game ended before its window appeared (status $GAME_STATUS)"
    WIN=$(xdotool search --onlyvisible --name '^Quorlitz$' 2>/dev/null | head -n1 || true)
    [ -n "$WIN" ]
}

# True while the game runs; once it has ended, GAME_STATUS holds its exit status.
game_alive()
{
    [ -z "$GAME_STATUS" ] || return 1
    kill -0 "$GAME_PID" 2>/dev/null && return 0
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    return 1
}

# The game ends by itself with status 0, nothing on stdout, no sanitizer or check report.
expect_clean_exit()
{
    poll "the game to end" eval "! game_alive"
    log "game ended with status $GAME_STATUS"
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
    [ ! -s "$E2E_TMP/game.stdout" ] || fail "unexpected standard output: $(cat "$E2E_TMP/game.stdout")"
    ! grep -Eq 'Sanitizer|runtime error|check failed' "$E2E_TMP/game.stderr" || fail "error report on standard error"
}

# Asks the window to close as a window manager's close button does.
close_window() { "$E2E_CLOSE_WINDOW" "$WIN" || fail "could not send WM_DELETE_WINDOW to window $WIN"; }

key() { xdotool key --delay 20 "$@"; }
point_at() { xdotool mousemove --window "$WIN" "$1" "$2"; }
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click "${3:-1}"; }   # [button]
slot_x() { echo $(( $1 * SLOT_BAND + SLOT_BAND / 2 )); }
click_slot() { click_at "$(slot_x "$1")" 300; }

# Takes a screenshot of the window into E2E_SHOT (raw RGB, 3 bytes a pixel).
shoot()
{
    import -window "$WIN" -depth 8 "rgb:$E2E_SHOT" 2>/dev/null || return 1
    [ "$(stat -c %s "$E2E_SHOT")" -eq $(( WIDTH * HEIGHT * 3 )) ]
}
save_shot() { "$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" -strip "$1"; }   # no time stamp

# True if "r g b" in $1 lies within TOLERANCE of "r g b" in $2 on every channel.
near()
{
    local a b i
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    for i in 0 1 2; do (( a[i] - b[i] <= TOLERANCE && b[i] - a[i] <= TOLERANCE )) || return 1; done
}
pixel_is() { near "$(od -An -tu1 -j $(( ($2 * WIDTH + $1) * 3 )) -N3 "$E2E_SHOT")" "$3"; }

# Counts the pixels near a colour inside a rectangle of the last screenshot and finds their
# bounding box in BOX_COUNT, BOX_X, BOX_Y, BOX_W, BOX_H (all 0 if none). "not" counts all others.
#   colour_box <x> <y> <w> <h> [not] "<r g b>"
colour_box()
{
    local x=$1 y=$2 w=$3 h=$4 negate=-negate rgb result
    shift 4
    if [ "$1" = not ]; then negate=; shift; fi
    read -ra rgb <<<"$1"
    # Per pixel the largest channel difference, thresholded into a mask that is white where the
    # pixel matches; a black frame lets %@ find the white pixels' extent.
    result=$("$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" -crop "${w}x${h}+${x}+${y}" \
        +repage \( +clone -fill "rgb(${rgb[0]},${rgb[1]},${rgb[2]})" -colorize 100 \) \
        -compose difference -composite -separate -evaluate-sequence max \
        -threshold "$THRESHOLD" $negate -bordercolor black -border 1 \
        -format '%[fx:round(mean*w*h)] %@' info: 2>>"$E2E_TMP/magick.log")
    BOX_COUNT=${result%% *} BOX_X=0 BOX_Y=0 BOX_W=0 BOX_H=0
    [ "$BOX_COUNT" -gt 0 ] || return 0
    IFS='x+' read -r BOX_W BOX_H BOX_X BOX_Y <<<"${result#* }"
    BOX_X=$(( BOX_X - 1 + x )) BOX_Y=$(( BOX_Y - 1 + y ))
}

# At least (or with "<", fewer than) n pixels near the colour in the rectangle.
#   has_colour <x> <y> <w> <h> "<r g b>" [<] <n>
has_colour() { colour_box "$1" "$2" "$3" "$4" "$5"; if [ "$6" = "<" ]; then [ "$BOX_COUNT" -lt "$7" ]; else [ "$BOX_COUNT" -gt "$6" ]; fi; }

on_menu()
{
    pixel_is 4 300 "$WHITE" && pixel_is 4 4 "$WHITE" && pixel_is 635 200 "$WHITE" &&
        has_colour 0 0 $WIDTH $HEIGHT "$GREEN" 200
}

on_board() { pixel_is 4 4 "$WHITE" && pixel_is 635 55 "$WHITE" && pixel_is 0 300 "$BLUE" && pixel_is 639 300 "$BLUE"; }

# The board the scenario expects, by slot * ROWS + row: 0 empty, 1 Player 1, 2 Player 2.
EXPECTED_BOARD=() NEXT_PLAYER=1

# True when the centre of every cell, where the token's colour shows through the frame, shows what
# EXPECTED_BOARD holds.
board_as_expected()
{
    on_board || return 1
    local values slot row i
    read -ra values -d '' < <("$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" \
        -crop $(( CELL_W * SLOTS ))x$(( CELL * ROWS ))+${MARGIN_X}+$(( HEIGHT - MARGIN_Y - CELL * ROWS )) +repage \
        -define sample:offset=50 -sample "${SLOTS}x${ROWS}!" -depth 8 rgb:- | od -An -tu1 -v) || true
    [ ${#values[@]} -eq $(( SLOTS * ROWS * 3 )) ] || fail "could not sample the cells"
    for ((row = 0; row < ROWS; row++)); do          # the picture's top line is the top row
        for ((slot = 0; slot < SLOTS; slot++)); do
            i=$(( ((ROWS - 1 - row) * SLOTS + slot) * 3 ))
            near "${values[*]:i:3}" "${CELL_SHOWS[EXPECTED_BOARD[slot * ROWS + row]]}" || return 1
        done
    done
}

# Starts a game (with Return, or with the given command) and waits for an empty board.
new_game()
{
    if [ $# -gt 0 ]; then "$@"; else key Return; fi
    EXPECTED_BOARD=() NEXT_PLAYER=1
    local i
    for ((i = 0; i < SLOTS * ROWS; i++)); do EXPECTED_BOARD[i]=0; done
    wait_for "an empty board" board_as_expected
}

# The next player's token falls to the lowest empty cell of the slot: waits until the screen
# shows exactly the expected board with it; then it is the other player's turn.
expect_drop()
{
    local slot=$1 row=0
    while [ "${EXPECTED_BOARD[slot * ROWS + row]}" -ne 0 ]; do
        (( ++row < ROWS )) || fail "scenario error: slot $slot is full"
    done
    EXPECTED_BOARD[slot * ROWS + row]=$NEXT_PLAYER
    wait_for "Player $NEXT_PLAYER's token in slot $slot, row $row" board_as_expected
    NEXT_PLAYER=$(( 3 - NEXT_PLAYER ))
}

# Clicks the slots in turn, waiting for each token.
play() { local slot; for slot in "$@"; do click_slot "$slot"; expect_drop "$slot"; done; }

# The slot of the cursor: the centre of everything that is not white in the strip.
cursor_in()
{
    on_board || return 1
    colour_box 0 0 $WIDTH $STRIP not "$WHITE"
    [ "$BOX_COUNT" -gt 0 ] && [ $(( (BOX_X + BOX_W / 2 - MARGIN_X) / CELL_W )) -eq "$1" ]
}

# The outcome text: the winner's name in the winner's colour among black lines above row 2 of the
# board (where the scenarios have none of the winner's tokens), without the loser's colour right of
# slot 0 (where the scenarios put the loser's line); or with 0, the grey no-winner text without
# either player's colour in the strip. Then waits until the text drifts: the outcome screen throws
# away what arrives during its first 110 ms, and once its text has moved it takes the next release.
expect_outcome()
{
    local winner=$1
    if [ "$winner" -eq 0 ]; then
        wait_for "the grey no-winner text" has_colour 0 0 $WIDTH $STRIP "$GREY" 300
        has_colour 0 0 $WIDTH $STRIP "${CELL_SHOWS[1]}" "<" 20 && has_colour 0 0 $WIDTH $STRIP "${CELL_SHOWS[2]}" "<" 20 ||
            fail "a player's colour in the no-winner text"
    else
        wait_for "the outcome screen naming Player $winner in (${CELL_SHOWS[winner]})" shows_winner "${CELL_SHOWS[winner]}"
        has_colour $(( MARGIN_X + CELL_W )) 0 $(( WIDTH - MARGIN_X - CELL_W )) $ABOVE_ROW_2 "${CELL_SHOWS[3 - winner]}" "<" 20 ||
            fail "$BOX_COUNT pixels of the loser's colour in the outcome text"
    fi
    wait_until_drifting
}
wait_until_drifting()
{
    cp "$E2E_SHOT" "$E2E_TMP/outcome.rgb"
    wait_for "the outcome text to drift" eval '! cmp -s "$E2E_SHOT" "$E2E_TMP/outcome.rgb"'
}
shows_winner() { has_colour 0 0 $WIDTH $ABOVE_ROW_2 "$1" 300 && has_colour 0 0 $WIDTH $STRIP "$BLACK" 300; }
