# shellcheck shell=bash
# The game in a real window on a private Xvfb under openbox, driven by xdotool.
#   source lib.sh <game command>
# E2E_GAME_DIR: where the game runs (default: beside the command).
set -euo pipefail
E2E_GAME=$(realpath -s "$(command -v "${1:?game command}")")
E2E_GAME_DIR=${E2E_GAME_DIR:-$(dirname "$E2E_GAME")}
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-e2e.XXXXXX")
SHOT=$E2E_TMP/shot.rgb XVFB_PID='' WM_PID='' GAME_PID='' GAME_STATUS='' WIN=''
trap '{ kill -KILL $GAME_PID $WM_PID $XVFB_PID || true; wait; } 2>/dev/null; rm -rf "$E2E_TMP"' EXIT
trap 'exit 130' INT TERM
MAGICK=/usr/bin/convert; [ -x $MAGICK ] || MAGICK=convert   # not another convert on the PATH
WAIT_SECONDS=15   # for one screen; the sanitizer build is several times slower
# 7 slots of 91 x 84 cells, 1 pixel in from the left, 5 rows up from the window's bottom.
readonly SLOTS=7 CELL_W=91 CELL_H=84 BOARD_X=1 BOARD_BOTTOM=480

fail()
{
    local run
    run=$(basename "$0" .sh)${QUORLITZ_SDL:+@$QUORLITZ_SDL}
    echo "FAIL ($run): $*; the game's stderr:" >&2
    cat "$E2E_TMP/game.stderr" >&2 2>/dev/null || true
    mkdir -p e2e-artifacts
    "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" "e2e-artifacts/$run.png" || true
    exit 1
}
poll()
{
    local what=$1 deadline=$(( SECONDS + WAIT_SECONDS ))
    shift
    until "$@"; do [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"; sleep 0.05; done
}
wait_for() { local what=$1; shift; poll "$what" on_screen "$what" "$@"; }
on_screen()
{
    game_alive || fail "the game ended (status $GAME_STATUS) while waiting for $1"
    shift
    shoot && "$@"
}
not() { ! "$@"; }

start_game()
{
    if [ -z "$XVFB_PID" ]; then
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$E2E_TMP/display" 2>/dev/null &
        XVFB_PID=$!
        poll "Xvfb to report its display" test -s "$E2E_TMP/display"
        DISPLAY=":$(head -n1 "$E2E_TMP/display")"
        export DISPLAY
        unset SDL_VIDEODRIVER WAYLAND_DISPLAY
        # openbox names itself the window manager well before it shows the windows mapped meanwhile:
        # the game waits for the command it runs once ready.
        XDG_CACHE_HOME=$E2E_TMP openbox --sm-disable --startup "touch $E2E_TMP/wm-ready" >/dev/null 2>&1 &
        WM_PID=$!
        poll "the window manager" test -e "$E2E_TMP/wm-ready"
        xdotool mousemove 0 0   # outside the window until a test moves it there
    fi
    (cd "$E2E_GAME_DIR" && exec "$E2E_GAME" >"$E2E_TMP/game.stdout" 2>"$E2E_TMP/game.stderr") &
    GAME_PID=$! GAME_STATUS='' WIN=''
    poll "a window captioned Quorlitz" window_found
    poll "the window manager to focus the window" has_focus
    wait_for "the menu" on_menu
}
has_focus() { [ "$(xdotool getwindowfocus)" = "$WIN" ]; }
# xdotool's search ignores case.
window_found()
{
    game_alive || fail "the game ended before its window appeared"
    WIN=$(xdotool search --onlyvisible --name '^Quorlitz$' | head -n1) &&
        [ "$(xdotool getwindowname "$WIN")" = Quorlitz ]
}
game_alive()
{
    [ -z "$GAME_STATUS" ] && kill -0 "$GAME_PID" 2>/dev/null && return 0
    [ -n "$GAME_STATUS" ] || { GAME_STATUS=0; wait "$GAME_PID" || GAME_STATUS=$?; GAME_PID=; }
    return 1
}
expect_clean_exit()
{
    poll "the game to end" not game_alive
    [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
    [ ! -s "$E2E_TMP/game.stdout" ] || fail "output on stdout: $(cat "$E2E_TMP/game.stdout")"
    ! grep -Eq 'Sanitizer|runtime error|check failed' "$E2E_TMP/game.stderr" ||
        fail "an error report on stderr"
}

# Through the window manager, as its close button does.
close_window() { wmctrl -i -c "$WIN" || fail "could not ask window $WIN to close"; }
key() { xdotool key --delay 20 "$@"; }
click_at() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; }
shoot()
{
    # import waits for ever on a window that goes away while it reads it.
    timeout 10 import -window "$WIN" -depth 8 "rgb:$SHOT" 2>/dev/null || return 1
    [ "$(stat -c %s "$SHOT")" -eq $(( 640 * 480 * 3 )) ] || fail "the window is not 640 x 480"
}

# An ImageMagick -format property of the mask of where the screenshot is near the colour (the fuzz
# allows for the window's 16 bits).   colour_mask <r,g,b> <format> [part]
colour_mask()
{
    "$MAGICK" -size 640x480 -depth 8 "rgb:$SHOT" -crop "${3:-640x480+0+0}" +repage -fuzz 6% \
        -fill black +opaque "rgb($1)" -fill white +opaque black -format "$2" info:
}
has_colour() { [ "$(colour_mask "$1" '%[fx:round(mean * w * h)]' "${3:-}")" -ge "$2" ]; }
rgb_at() { read -r R G B < <(od -An -tu1 -j $(( ($2 * 640 + $1) * 3 )) -N3 "$SHOT"); }
blue_at() { rgb_at "$@"; (( R < 40 && G < 40 && B > 200 )); }
on_menu() { has_colour 0,255,0 200 && ! blue_at 0 300; }   # the green highlight, no board's blue margin

slot_x() { echo $(( BOARD_X + CELL_W * $1 + CELL_W / 2 )); }
# <slot> <row from the bottom> <0: nothing, or a player>
cell_shows()
{
    rgb_at "$(slot_x "$1")" $(( BOARD_BOTTOM - CELL_H * $2 - CELL_H / 2 ))
    [ $(( G > 200 ? 0 : R > 200 ? 1 : B > 200 && R > 100 ? 2 : 9 )) = "$3" ]
}
empty_board()
{
    local slot
    blue_at 0 300 || return 1
    for ((slot = 0; slot < SLOTS; slot++)); do cell_shows $slot 0 0 || return 1; done
}
new_game() { "$@"; FILLED=(0 0 0 0 0 0 0) PLAYER=1; wait_for "an empty board" empty_board; }
expect_drop()
{
    local row=${FILLED[$1]}
    FILLED[$1]=$(( row + 1 ))
    wait_for "Player $PLAYER's token in slot $1, row $row" cell_shows "$1" "$row" "$PLAYER"
    PLAYER=$(( 3 - PLAYER ))
}

# The colour is judged on the first screen with the text, before its drift leaves smoothed trails.
# Input counts only once the text has moved.
expect_outcome()
{
    wait_for "the outcome text over the strip" not has_colour 255,255,255 36000 640x60+0+0
    has_colour "$1" 3000 640x228+0+0 || fail "the outcome text is not in rgb($1)"
    cp "$SHOT" "$E2E_TMP/outcome.rgb"
    wait_for "the outcome text to drift" not cmp -s "$SHOT" "$E2E_TMP/outcome.rgb"
}
