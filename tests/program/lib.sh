# The whole program in a real window: a private Xvfb server, the game started in it, real input
# through xdotool, and what the player sees read back from screenshots. Sourced, never run:
#   source lib.sh <game command> <close_window helper>
# E2E_GAME_DIR, if set before, is the game's working directory (it reads data/ there); by default
# the command's own directory, where a build puts data/.
set -euo pipefail

E2E_USAGE="usage: source lib.sh <game command> <close_window helper>"
E2E_GAME=$(realpath -s "$(command -v "${1:?$E2E_USAGE}")")
E2E_CLOSE_WINDOW=$(realpath "${2:?$E2E_USAGE}")
E2E_GAME_DIR=${E2E_GAME_DIR:-$(dirname "$E2E_GAME")}
E2E_NAME=$(basename "$0" .sh)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-e2e.XXXXXX")
E2E_STARTED=$EPOCHREALTIME
SHOT=$E2E_TMP/shot.rgb
XVFB_PID= GAME_PID= GAME_STATUS= WIN=
# ImageMagick's own convert; another convert may stand earlier on the PATH.
if [ -x /usr/bin/convert ]; then MAGICK=/usr/bin/convert; else MAGICK=convert; fi
# How long one screen may take to appear. The sanitizer build is several times slower.
WAIT_SECONDS=${E2E_WAIT_SECONDS:-15}
readonly SLOTS=7 ROWS=5 CELL_W=91

log() { printf '[%5.1fs] %s\n' "$(awk "BEGIN { print $EPOCHREALTIME - $E2E_STARTED }")" "$*"; }

# Keeps the last screen and the game's output beside the test, in e2e-artifacts/<test>/.
fail()
{
    local kept=$PWD/e2e-artifacts/$E2E_NAME
    echo "FAIL ($E2E_NAME): $*; last screen and game output kept in $kept" >&2
    sed 's/^/  game stderr | /' "$E2E_TMP/game.stderr" 2>/dev/null | head -20 >&2 || true
    mkdir -p "$kept" && cp -f "$E2E_TMP"/game.* "$kept/" 2>/dev/null || true
    [ ! -s "$SHOT" ] || "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" "$kept/last-screen.png" || true
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

# Polls until a command holds, for at most WAIT_SECONDS.
poll()
{
    local what=$1 deadline=$(( SECONDS + WAIT_SECONDS ))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "timed out after $WAIT_SECONDS s waiting for: $what"
        sleep 0.05
    done
}
# As poll, on a fresh screenshot each time; fails at once if the game has ended.
wait_for() { local what=$1; shift; poll "$what" on_screen "$what" "$@"; }
on_screen() { game_alive || fail "the game ended (status $GAME_STATUS) while waiting for: $1"; shift; shoot && "$@"; }

# Starts the game (and the X server, the first time) and waits for its window and the menu.
start_game()
{
    if [ -z "$XVFB_PID" ]; then
        # -noreset keeps the server as it is when a client such as xdotool leaves.
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>/dev/null &
        XVFB_PID=$!
        poll "Xvfb to report its display" test -s "$E2E_TMP/display"
        export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
        unset SDL_VIDEODRIVER WAYLAND_DISPLAY
        # The pointer waits outside the window until a test moves it on purpose.
        xdotool mousemove 0 0
    fi
    # Leaks are left to the tests under SDL's dummy driver: on X11 the system libraries leak at
    # exit, and whole stacks, which their suppressions would need, make the game stall.
    (cd "$E2E_GAME_DIR" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:fast_unwind_on_malloc=1" \
        exec "$E2E_GAME" >"$E2E_TMP/game.stdout" 2>"$E2E_TMP/game.stderr") &
    GAME_PID=$! GAME_STATUS= WIN=
    poll "a window captioned Quorlitz" window_found
    # Without a window manager nothing gives the window the keyboard; a user would click into it.
    xdotool windowfocus "$WIN"
    log "game started in window $WIN on $DISPLAY"
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
    poll "the game to end" eval '! game_alive'
    log "game ended with status $GAME_STATUS"
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
    [ ! -s "$E2E_TMP/game.stdout" ] || fail "output on stdout: $(cat "$E2E_TMP/game.stdout")"
    ! grep -Eq 'Sanitizer|runtime error|check failed' "$E2E_TMP/game.stderr" || fail "an error report on stderr"
}

# Asks the window to close, as a window manager's close button does.
close_window() { "$E2E_CLOSE_WINDOW" "$WIN" || fail "could not send WM_DELETE_WINDOW to window $WIN"; }
key() { xdotool key --delay 20 "$@"; }
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; }

# The window into SHOT, 3 bytes a pixel.
shoot()
{
    import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null || return 1
    [ "$(stat -c %s "$SHOT")" -eq $(( 640 * 480 * 3 )) ] || fail "the window is not 640 x 480"
}

# Prints a property (an ImageMagick -format) of the mask that is white where the screenshot, or the
# given part of it, comes near the colour. The fuzz takes up the window's 16-bit rounding.
#   colour_mask <r,g,b> <format> [<w>x<h>+<x>+<y>]
colour_mask()
{
    "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop "${3:-640x480+0+0}" +repage -fuzz 6% \
        -fill black +opaque "rgb($1)" -fill white +opaque black -format "$2" info:
}
has_colour() { [ "$(colour_mask "$1" '%[fx:round(mean * w * h)]' "${3:-}")" -ge "$2" ]; }   # <r,g,b> <count> [part]
blue_at() { local r g b; read -r r g b < <(od -An -tu1 -j $(( ($2 * 640 + $1) * 3 )) -N3 "$SHOT"); (( r < 40 && g < 40 && b > 200 )); }

# The green highlight on a white screen, without the board's blue margin.
on_menu() { has_colour 0,255,0 200 && ! blue_at 0 300; }

# The board the test expects, the top row first, each row from slot 0: 0 empty, 1 or 2 a player's.
BOARD= PLAYER=1
# The cells as the window shows them, in that order: the middle of each cell, where the token shows
# through the frame, sampled from the board drawn at x = 1 below the 60-pixel strip.
cells_seen()
{
    "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop 637x420+1+60 +repage -define sample:offset=50 \
        -sample "${SLOTS}x${ROWS}!" -depth 8 txt:- |
        awk -F '[(),]' 'NR > 1 { printf "%s", ($4 > 200 ? 0 : $3 > 200 ? 1 : $5 > 200 && $3 > 100 ? 2 : "?") }'
}
board_shows() { blue_at 0 300 && [ "$(cells_seen)" = "$BOARD" ]; }

# Starts a game with the given command and waits for an empty board.
new_game()
{
    "$@"
    BOARD=$(printf '0%.0s' $(seq $(( SLOTS * ROWS )))) PLAYER=1
    wait_for "an empty board" board_shows
}

# The next player's token falls to the lowest empty cell of the slot; then the other player moves.
expect_drop()
{
    local row=0 cell
    until cell=$(( (ROWS - 1 - row) * SLOTS + $1 )); [ "${BOARD:cell:1}" = 0 ]; do
        (( ++row < ROWS )) || fail "test error: slot $1 is full"
    done
    BOARD=${BOARD:0:cell}$PLAYER${BOARD:cell+1}
    wait_for "Player $PLAYER's token in slot $1, row $row" board_shows
    PLAYER=$(( 3 - PLAYER ))
}

# The outcome text starts in the top-left corner, over the strip and the board's top two rows: the
# winner's name in their colour, or the no-winner text in grey. Then waits for it to drift: the
# screen throws away what arrives in its first 110 ms, and once the text has moved it takes input.
expect_outcome()
{
    wait_for "the outcome text in rgb($1)" has_colour "$1" 300 640x228+0+0
    cp "$SHOT" "$E2E_TMP/outcome.rgb"
    wait_for "the outcome text to drift" eval '! cmp -s "$SHOT" "$E2E_TMP/outcome.rgb"'
}
