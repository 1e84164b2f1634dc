# Shared by the end-to-end scenarios: a private X server, the game in it, real input through
# xdotool, and what the player sees read back from screenshots. Sourced, never run.
#
# A scenario is called as   <scenario>.sh <quorlitz binary> <close_window helper>
# and runs the binary in the binary's own directory, where data/ lies.

set -euo pipefail

E2E_NAME=$(basename "$0" .sh)
E2E_BINARY=$(realpath "${1:?usage: $0 <quorlitz binary> <close_window helper>}")
E2E_CLOSE_WINDOW=$(realpath "${2:?usage: $0 <quorlitz binary> <close_window helper>}")
E2E_GAME_DIR=$(dirname "$E2E_BINARY")
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-e2e.XXXXXX")
E2E_SHOT=$E2E_TMP/shot.rgb
E2E_ARTIFACTS=$E2E_GAME_DIR/e2e-artifacts/$E2E_NAME
E2E_STARTED=$EPOCHREALTIME
XVFB_PID=
GAME_PID=
GAME_STATUS=
WIN=

# ImageMagick's own convert; another convert may stand earlier on the PATH.
if [ -x /usr/bin/convert ]; then MAGICK=/usr/bin/convert; else MAGICK=convert; fi

# How long any one screen state may take to appear. The sanitizer build is several times slower.
WAIT_SECONDS=${E2E_WAIT_SECONDS:-15}

# --- What the window shows (640 x 480; board of 7 slots x 5 rows of 84 x 84 cells) ---------------
readonly WIDTH=640 HEIGHT=480 SLOTS=7 ROWS=5 CELL=84 STRIP=60
readonly MARGIN_X=$(( (WIDTH - CELL * SLOTS) / 2 ))                # 26
readonly MARGIN_Y=$(( (HEIGHT - CELL * ROWS - STRIP) / 2 ))        # 0
readonly SLOT_BAND=$(( WIDTH / SLOTS ))                            # 91: the mouse's slot is x / 91
readonly WHITE="255 255 255" BLUE="0 0 255" GREEN="0 255 0" GREY="128 128 128" BLACK="0 0 0"
readonly PLAYER1="255 52 52" PLAYER2="128 128 255"
# The window is 16 bits deep: every colour comes back rounded to 5/6/5 bits.
readonly TOLERANCE=12

log() { printf '[%5.1fs] %s\n' "$(awk -v a="$E2E_STARTED" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')" "$*"; }

fail()
{
    echo "FAIL ($E2E_NAME): $*" >&2
    save_artifacts
    exit 1
}

save_artifacts()
{
    mkdir -p "$E2E_ARTIFACTS"
    if [ -s "$E2E_SHOT" ]; then
        "$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" "$E2E_ARTIFACTS/last-screen.png" || true
    fi
    cp -f "$E2E_TMP"/game.stdout "$E2E_TMP"/game.stderr "$E2E_ARTIFACTS/" 2>/dev/null || true
    echo "  last screen and game output kept in $E2E_ARTIFACTS" >&2
    if [ -s "$E2E_TMP/game.stderr" ]; then
        echo "  game's stderr:" >&2
        sed 's/^/    /' "$E2E_TMP/game.stderr" | head -40 >&2
    fi
}

cleanup()
{
    local status=$?
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill -KILL "$GAME_PID" 2>/dev/null || true
        wait "$GAME_PID" 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill -TERM "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
    rm -rf "$E2E_TMP"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# --- The X server and the game ---------------------------------------------------------------------

# Starts Xvfb on the first free display and points DISPLAY at it. -noreset keeps the server (and the
# pointer position) as it is when a client such as xdotool disconnects.
start_display()
{
    local number_file=$E2E_TMP/display
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number_file" \
        2>"$E2E_TMP/xvfb.log" &
    XVFB_PID=$!
    local deadline=$(( SECONDS + 10 ))
    until [ -s "$number_file" ]; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
        [ $SECONDS -lt $deadline ] || fail "Xvfb did not report a display within 10 s"
        sleep 0.05
    done
    DISPLAY=":$(head -n1 "$number_file")"
    export DISPLAY
    unset SDL_VIDEODRIVER WAYLAND_DISPLAY
    # The window will open in the middle of the screen; the pointer waits in a corner, outside it,
    # so that no motion reaches the game before a scenario moves the mouse on purpose.
    xdotool mousemove 0 0
    log "Xvfb on $DISPLAY"
}

# Starts the game in its own directory and waits for its window, captioned "Quorlitz".
start_game()
{
    # In a sanitizer build, leaks are left to the tests under SDL's dummy driver: on X11 the
    # libraries themselves leak at exit (sdl12-compat's video surface, D-Bus, the GL driver) and
    # their quick allocation stacks end inside them, so those leaks cannot be told from the game's;
    # whole stacks (fast_unwind_on_malloc=0) make the game stall on X11. Memory errors and
    # undefined behaviour are still reported.
    (cd "$E2E_GAME_DIR" &&
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:fast_unwind_on_malloc=1" \
        exec "$E2E_BINARY" >"$E2E_TMP/game.stdout" 2>"$E2E_TMP/game.stderr") &
    GAME_PID=$!
    GAME_STATUS=
    local deadline=$(( SECONDS + WAIT_SECONDS ))
    WIN=
    until [ -n "$WIN" ]; do
        game_alive || fail "the game ended before its window appeared (status $GAME_STATUS)"
        [ $SECONDS -lt $deadline ] || fail "no window captioned Quorlitz within $WAIT_SECONDS s"
        WIN=$(xdotool search --onlyvisible --name '^Quorlitz$' 2>/dev/null | head -n1 || true)
        [ -n "$WIN" ] || sleep 0.05
    done
    local size
    size=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ "$size" = "${WIDTH}x${HEIGHT}" ] || fail "window is $size, expected ${WIDTH}x${HEIGHT}"
    # Without a window manager nothing gives the window the keyboard; a user would click into it.
    xdotool windowfocus "$WIN"
    log "game started, window $WIN"
}

# True while the game runs; once it has ended, GAME_STATUS holds its exit status.
game_alive()
{
    [ -n "$GAME_STATUS" ] && return 1
    kill -0 "$GAME_PID" 2>/dev/null && return 0
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    return 1
}

# Waits for the game to end by itself; kills it and fails if it does not within WAIT_SECONDS.
wait_game_exit()
{
    local deadline=$(( SECONDS + WAIT_SECONDS ))
    while game_alive; do
        if [ $SECONDS -ge $deadline ]; then
            kill -KILL "$GAME_PID" 2>/dev/null || true
            fail "the game did not end within $WAIT_SECONDS s"
        fi
        sleep 0.05
    done
    log "game ended with status $GAME_STATUS"
}

# The game ended normally: status 0, nothing on stdout, no sanitizer or check report on stderr.
expect_clean_exit()
{
    wait_game_exit
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
    [ ! -s "$E2E_TMP/game.stdout" ] || fail "unexpected standard output: $(cat "$E2E_TMP/game.stdout")"
    if grep -Eq 'Sanitizer|runtime error|check failed' "$E2E_TMP/game.stderr"; then
        fail "error report on standard error"
    fi
}

# Asks the window to close as a window manager's close button does.
close_window()
{
    "$E2E_CLOSE_WINDOW" "$WIN" || fail "could not send WM_DELETE_WINDOW to window $WIN"
}

# --- Input: real events through the X server -------------------------------------------------------

key() { xdotool key --delay 20 "$@"; }

# Moves the pointer to (x, y) of the window.
point_at() { xdotool mousemove --window "$WIN" "$1" "$2"; }

# Click at (x, y) of the window, with the left button unless another is given.
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click "${3:-1}"; }

# An x inside the mouse's band for a slot, and a y over the board.
slot_x() { echo $(( $1 * SLOT_BAND + SLOT_BAND / 2 )); }
click_slot() { click_at "$(slot_x "$1")" 300; }

# --- Reading the screen -----------------------------------------------------------------------------

# Takes a screenshot of the window into E2E_SHOT (raw RGB, 3 bytes a pixel).
shoot()
{
    import -window "$WIN" -depth 8 "rgb:$E2E_SHOT" 2>/dev/null || return 1
    [ "$(stat -c %s "$E2E_SHOT")" -eq $(( WIDTH * HEIGHT * 3 )) ]
}

# Keeps a copy of the current screenshot as a PNG, without a time stamp.
save_shot() { "$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" -strip "$1"; }

# Prints "r g b" of pixel (x, y) of the last screenshot.
pixel()
{
    od -An -tu1 -j $(( ($2 * WIDTH + $1) * 3 )) -N3 "$E2E_SHOT" | awk '{print $1, $2, $3}'
}

# True if "r g b" in $1 lies within TOLERANCE of "r g b" in $2 on every channel.
near()
{
    local a b i d
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    for i in 0 1 2; do
        d=$(( a[i] - b[i] ))
        [ ${d#-} -le $TOLERANCE ] || return 1
    done
}

pixel_is() { near "$(pixel "$1" "$2")" "$3"; }

# Counts the pixels within TOLERANCE of a colour inside a rectangle of the last screenshot and
# finds their bounding box. Sets BOX_COUNT, BOX_X, BOX_Y, BOX_W, BOX_H (window coordinates; an
# empty box when the count is 0). With "not" before the colour it counts all other pixels.
#   colour_box <x> <y> <w> <h> [not] "<r g b>"
# shellcheck disable=SC2034  # the BOX_ variables are the result, read by the callers
colour_box()
{
    local x=$1 y=$2 w=$3 h=$4 negate=-negate
    shift 4
    if [ "$1" = not ]; then negate=; shift; fi
    local rgb
    read -ra rgb <<<"$1"
    local threshold
    threshold=$(awk -v t="$TOLERANCE" 'BEGIN { printf "%.3f", (t + 0.5) * 100 / 255 }')
    local result
    # Per pixel: the largest channel difference from the colour, thresholded into a mask that is
    # white where the pixel matches; a black frame lets -trim find the white pixels' extent.
    result=$("$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" -crop "${w}x${h}+${x}+${y}" \
        +repage \( +clone -fill "rgb(${rgb[0]},${rgb[1]},${rgb[2]})" -colorize 100 \) \
        -compose difference -composite -separate -evaluate-sequence max \
        -threshold "${threshold}%" $negate -bordercolor black -border 1 \
        -format '%[fx:round(mean*w*h)] %@' info: 2>>"$E2E_TMP/magick.log")
    BOX_COUNT=${result%% *}
    if [ "$BOX_COUNT" -eq 0 ]; then
        BOX_X=0 BOX_Y=0 BOX_W=0 BOX_H=0
        return
    fi
    local box=${result#* }                 # WxH+X+Y within the framed crop
    BOX_W=${box%%x*}
    box=${box#*x}
    BOX_H=${box%%+*}
    box=${box#*+}
    BOX_X=$(( ${box%%+*} - 1 + x ))
    BOX_Y=$(( ${box#*+} - 1 + y ))
}

# Polls screenshots until a condition holds, for at most WAIT_SECONDS; fails with the description
# otherwise, or at once if the game has ended meanwhile.
#   wait_for "<what>" <command> [args...]
wait_for()
{
    local what=$1
    shift
    local deadline=$(( SECONDS + WAIT_SECONDS ))
    while :; do
        if shoot && "$@"; then
            return 0
        fi
        game_alive || fail "the game ended (status $GAME_STATUS) while waiting for: $what"
        [ $SECONDS -lt $deadline ] || fail "timed out after $WAIT_SECONDS s waiting for: $what"
        sleep 0.05
    done
}

# --- The screens ------------------------------------------------------------------------------------

# The menu: white everywhere but the entries and the credits, one entry in green.
on_menu()
{
    pixel_is 4 300 "$WHITE" && pixel_is 4 4 "$WHITE" && pixel_is 635 200 "$WHITE" || return 1
    colour_box 0 0 $WIDTH $HEIGHT "$GREEN"
    [ "$BOX_COUNT" -gt 200 ]
}

# The game: a white strip on top, blue on both sides of the board.
on_board()
{
    pixel_is 4 4 "$WHITE" && pixel_is 635 55 "$WHITE" && pixel_is 10 300 "$BLUE" && pixel_is 630 300 "$BLUE"
}

# Reads the colour at the centre of every cell, where the token's colour shows through the frame,
# into CELL_COLOURS[slot * ROWS + row] as "r g b": one sample per cell of the board's area.
read_cells()
{
    local values
    read -ra values -d '' < <("$MAGICK" -size ${WIDTH}x${HEIGHT} -depth 8 "rgb:$E2E_SHOT" \
        -crop $(( CELL * SLOTS ))x$(( CELL * ROWS ))+${MARGIN_X}+$(( HEIGHT - MARGIN_Y - CELL * ROWS )) +repage \
        -define sample:offset=50 -sample "${SLOTS}x${ROWS}!" -depth 8 rgb:- | od -An -tu1 -v) || true
    [ ${#values[@]} -eq $(( SLOTS * ROWS * 3 )) ] || fail "could not sample the cells"
    CELL_COLOURS=()
    local slot row i
    for ((row = 0; row < ROWS; row++)); do          # the picture's top line is the top row
        for ((slot = 0; slot < SLOTS; slot++)); do
            i=$(( ((ROWS - 1 - row) * SLOTS + slot) * 3 ))
            CELL_COLOURS[slot * ROWS + row]="${values[i]} ${values[i + 1]} ${values[i + 2]}"
        done
    done
}

# The board the scenario expects, by slot and row: 0 empty, 1 Player 1, 2 Player 2.
declare -a EXPECTED_BOARD
clear_expected_board() { EXPECTED_BOARD=(); local i; for ((i = 0; i < SLOTS * ROWS; i++)); do EXPECTED_BOARD[i]=0; done; }
clear_expected_board

# Where a token dropped into the slot lands: the lowest empty row of the expected board, or -1.
landing_row()
{
    local row
    for ((row = 0; row < ROWS; row++)); do
        [ "${EXPECTED_BOARD[$1 * ROWS + row]}" -eq 0 ] && { echo "$row"; return; }
    done
    echo -1
}

# What a cell shows, by the values of EXPECTED_BOARD.
readonly CELL_SHOWS=("$WHITE" "$PLAYER1" "$PLAYER2")

# True when every cell of the screen shows what EXPECTED_BOARD holds.
board_as_expected()
{
    on_board || return 1
    read_cells
    local i
    for ((i = 0; i < SLOTS * ROWS; i++)); do
        near "${CELL_COLOURS[i]}" "${CELL_SHOWS[EXPECTED_BOARD[i]]}" || return 1
    done
}

# Records in EXPECTED_BOARD that the player's token falls into the slot, then waits until the
# screen shows exactly that board.
expect_drop()
{
    local slot=$1 player=$2 row
    row=$(landing_row "$slot")
    [ "$row" -ge 0 ] || fail "scenario error: slot $slot is full"
    EXPECTED_BOARD[slot * ROWS + row]=$player
    wait_for "Player $player's token in slot $slot, row $row" board_as_expected
}

# The slot of the cursor: the centre of everything that is not white in the strip.
cursor_slot()
{
    colour_box 0 0 $WIDTH $STRIP not "$WHITE"
    [ "$BOX_COUNT" -gt 0 ] || { echo -1; return; }
    echo $(( (BOX_X + BOX_W / 2 - MARGIN_X) / CELL ))
}

cursor_in() { on_board && [ "$(cursor_slot)" -eq "$1" ]; }

# The outcome text names the winner in the winner's colour: many pixels of that colour and of the
# black lines around it above row 2 of the board, where the scenarios have none of the winner's
# tokens and the board's picture has neither colour.
shows_winner()
{
    colour_box 0 0 $WIDTH $(( HEIGHT - MARGIN_Y - 3 * CELL )) "$1"
    [ "$BOX_COUNT" -gt 300 ] || return 1
    colour_box 0 0 $WIDTH $STRIP "$BLACK"
    [ "$BOX_COUNT" -gt 300 ]
}

# The loser's colour is nowhere in the outcome text. The scenarios put the loser's line of four
# in slot 0, left of the area looked at.
expect_loser_colour_absent()
{
    colour_box $(( MARGIN_X + CELL )) 0 $(( WIDTH - MARGIN_X - CELL )) $(( HEIGHT - MARGIN_Y - 3 * CELL )) "$1"
    [ "$BOX_COUNT" -lt 20 ] || fail "$BOX_COUNT pixels of the loser's colour in the outcome text"
}

# The outcome screen throws away what arrives during its first 110 ms; once its text has moved,
# it takes the next release.
wait_until_drifting()
{
    cp "$E2E_SHOT" "$E2E_TMP/outcome.rgb"
    wait_for "the outcome text to drift" screen_differs_from "$E2E_TMP/outcome.rgb"
}

screen_differs_from() { ! cmp -s "$E2E_SHOT" "$1"; }

# The no-winner text is grey; the strip has no grey of its own.
shows_no_winner()
{
    colour_box 0 0 $WIDTH $STRIP "$GREY"
    [ "$BOX_COUNT" -gt 300 ]
}
