# The whole program in a real window: a private Xvfb server, the game in it, real input through
# xdotool, and what the player sees read back from screenshots. Sourced:
#   source lib.sh <game command> <close_window helper>
# E2E_GAME_DIR, if set before, is where the game runs and reads data/; by default the command's own
# directory, where a build puts data/.
set -euo pipefail
E2E_GAME=$(realpath -s "$(command -v "${1:?game command}")")
E2E_CLOSE_WINDOW=$(realpath "${2:?close_window helper}")
E2E_GAME_DIR=${E2E_GAME_DIR:-$(dirname "$E2E_GAME")}
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-e2e.XXXXXX")
SHOT=$E2E_TMP/shot.rgb XVFB_PID= GAME_PID= GAME_STATUS= WIN=
trap '{ kill -KILL $GAME_PID $XVFB_PID || true; wait; } 2>/dev/null; rm -rf "$E2E_TMP"' EXIT
trap 'exit 130' INT TERM
MAGICK=/usr/bin/convert; [ -x $MAGICK ] || MAGICK=convert   # not another convert on the PATH
# How long one screen may take to appear; the sanitizer build is several times slower.
WAIT_SECONDS=${E2E_WAIT_SECONDS:-15}
readonly SLOTS=7 ROWS=5 CELL_W=91

log() { echo "[${SECONDS}s] $*"; }
# Keeps the last screen as e2e-artifacts/<test>.png in the working directory.
fail()
{
    echo "FAIL ($(basename "$0" .sh)): $*; the game's stderr:" >&2
    cat "$E2E_TMP/game.stderr" >&2 2>/dev/null || true
    mkdir -p e2e-artifacts && "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" "e2e-artifacts/$(basename "$0" .sh).png" || true
    exit 1
}
# Polls until a command holds, for at most WAIT_SECONDS.
poll()
{
    local what=$1 deadline=$(( SECONDS + WAIT_SECONDS ))
    shift
    until "$@"; do [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"; sleep 0.05; done
}
# As poll, on a fresh screenshot each time; fails at once if the game has ended.
wait_for() { local what=$1; shift; poll "$what" on_screen "$what" "$@"; }
on_screen() { game_alive || fail "the game ended (status $GAME_STATUS) while waiting for $1"; shift; shoot && "$@"; }

# Starts the game (and the X server, the first time) and waits for its window and the menu.
start_game()
{
    if [ -z "$XVFB_PID" ]; then
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>/dev/null &
        XVFB_PID=$!
        poll "Xvfb to report its display" test -s "$E2E_TMP/display"
        export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
        unset SDL_VIDEODRIVER WAYLAND_DISPLAY
        xdotool mousemove 0 0   # outside the window until a test moves it there
    fi
    # Leaks are left to the tests under SDL's dummy driver: on X11 the system libraries leak at
    # exit, and the whole stacks their suppressions would need make the game stall.
    (cd "$E2E_GAME_DIR" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:fast_unwind_on_malloc=1" \
        exec "$E2E_GAME" >"$E2E_TMP/game.stdout" 2>"$E2E_TMP/game.stderr") &
    GAME_PID=$! GAME_STATUS= WIN=
    poll "a window captioned Quorlitz" window_found
    xdotool windowfocus "$WIN"   # there is no window manager to do it
    log "game started in window $WIN on $DISPLAY"
    wait_for "the menu" on_menu
}
window_found() { game_alive || fail "the game ended before its window appeared"; WIN=$(xdotool search --onlyvisible --name '^Quorlitz$' | head -n1); }
# True while the game runs; once it has ended, GAME_STATUS holds its exit status.
game_alive()
{
    [ -z "$GAME_STATUS" ] && kill -0 "$GAME_PID" 2>/dev/null && return 0
    [ -n "$GAME_STATUS" ] || { GAME_STATUS=0; wait "$GAME_PID" || GAME_STATUS=$?; GAME_PID=; }
    return 1
}
# The game ends by itself with status 0, nothing on stdout, no sanitizer or check report.
expect_clean_exit()
{
    poll "the game to end" eval '! game_alive'
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
    [ ! -s "$E2E_TMP/game.stdout" ] || fail "output on stdout: $(cat "$E2E_TMP/game.stdout")"
    ! grep -Eq 'Sanitizer|runtime error|check failed' "$E2E_TMP/game.stderr" || fail "an error report on stderr"
}

# As a window manager's close button does.
close_window() { "$E2E_CLOSE_WINDOW" "$WIN" || fail "could not ask window $WIN to close"; }
key() { xdotool key --delay 20 "$@"; }
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; }
shoot()
{
    import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null || return 1
    [ "$(stat -c %s "$SHOT")" -eq $(( 640 * 480 * 3 )) ] || fail "the window is not 640 x 480"
}

# Prints a property (an ImageMagick -format) of the mask that is white where the screenshot, or the
# given part of it, comes near the colour (near enough for the window's 16-bit rounding).
#   colour_mask <r,g,b> <format> [<w>x<h>+<x>+<y>]
colour_mask()
{
    "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop "${3:-640x480+0+0}" +repage -fuzz 6% \
        -fill black +opaque "rgb($1)" -fill white +opaque black -format "$2" info:
}
has_colour() { [ "$(colour_mask "$1" '%[fx:round(mean * w * h)]' "${3:-}")" -ge "$2" ]; }   # <r,g,b> <count> [part]
blue_at() { local r g b; read -r r g b < <(od -An -tu1 -j $(( ($2 * 640 + $1) * 3 )) -N3 "$SHOT"); (( r < 40 && g < 40 && b > 200 )); }
on_menu() { has_colour 0,255,0 200 && ! blue_at 0 300; }   # the green highlight, no board's blue margin

# The board expected, top row first, each row from slot 0: 0 empty, 1 or 2 a player's token. The
# window shows it in the middle of each cell, where the token shows through the frame; the board
# is drawn from x = 1, below the 60-pixel strip.
BOARD= PLAYER=1
board_shows()
{
    blue_at 0 300 && [ "$BOARD" = "$("$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop 637x420+1+60 +repage \
        -define sample:offset=50 -sample "${SLOTS}x${ROWS}!" -depth 8 txt:- |
        awk -F '[(),]' 'NR > 1 { printf "%s", ($4 > 200 ? 0 : $3 > 200 ? 1 : $5 > 200 && $3 > 100 ? 2 : "?") }')" ]
}
# Starts a game with the given command and waits for an empty board.
new_game() { "$@"; BOARD=$(printf '0%.0s' $(seq $(( SLOTS * ROWS )))) PLAYER=1; wait_for "an empty board" board_shows; }
# The next player's token falls to the lowest empty cell of the slot; then the other player moves.
expect_drop()
{
    local row=0 cell
    until cell=$(( (ROWS - 1 - row) * SLOTS + $1 )); [ "${BOARD:cell:1}" = 0 ]; do (( ++row < ROWS )) || fail "test error: slot $1 full"; done
    BOARD=${BOARD:0:cell}$PLAYER${BOARD:cell+1}
    wait_for "Player $PLAYER's token in slot $1, row $row" board_shows
    PLAYER=$(( 3 - PLAYER ))
}

# The outcome text starts in the top-left corner, over the strip and the board's two top rows: the
# winner's name in their colour, or the no-winner text in grey (thousands of pixels, where the black
# text's smoothed edges have hundreds). Then waits for it to drift: the screen throws away what
# arrives in its first 110 ms, and once the text has moved it takes input.
expect_outcome()
{
    wait_for "the outcome text in rgb($1)" has_colour "$1" 3000 640x228+0+0
    cp "$SHOT" "$E2E_TMP/outcome.rgb"
    wait_for "the outcome text to drift" eval '! cmp -s "$SHOT" "$E2E_TMP/outcome.rgb"'
}
