#!/usr/bin/env bash
# Start-up with one thing broken (in a fresh copy of data/, under SDL's dummy driver unless the display
# or the driver is the case): the program stops at once with one line naming the file or the cause: a
# failed check on stderr with status 2, the font, the display or the driver as "ERROR: ..." on stdout
# with status 1. Without a display, no driver that SDL falls back to may start by itself: one that
# takes the terminal over would print before the message, one that shows nothing would hang.
set -uo pipefail
binary=$(realpath "${1:?usage: $0 <quorlitz binary>}")
data=$(dirname "$binary")/data
work=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
MAGICK=/usr/bin/convert; [ -x $MAGICK ] || MAGICK=convert
failures=0

cut_off() { head -c "$2" "$data/$1" >"data/$1"; }
sized_overlay() { "$MAGICK" -size "$1" xc:white -type TrueColor BMP3:data/overlay.bmp; }
# A login session without a display still has its runtime directory; without one, the Wayland
# client library that SDL tries first complains on stderr by itself.
no_display() { mkdir -m 700 runtime; environment=(XDG_RUNTIME_DIR="$work/case/runtime"); }
unknown_driver() { environment=(SDL_VIDEODRIVER=foo); }
empty_driver() { no_display; environment+=(SDL_VIDEODRIVER=); }   # exported, but naming none

#   check <case> <status> <the one line, an extended regular expression> <command that breaks it>
check()
{
    local name=$1 status=$2 message=$3 stream=stdout other=stderr actual=0
    shift 3
    [ "$status" -ne 2 ] || stream=stderr other=stdout
    rm -rf "$work/case" && mkdir "$work/case" && cp -r "$data" "$work/case/data" && cd "$work/case" || exit 2
    environment=(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy)
    "$@"
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${environment[@]}" \
        timeout -k 5 10 "$binary" >stdout 2>stderr || actual=$?
    # A hang (timeout's 124) or a sanitizer report fails these too.
    if [ "$actual" -eq "$status" ] && [ "$(wc -l <$stream)" -eq 1 ] && grep -Eq "$message" $stream &&
       [ ! -s $other ]; then
        echo "ok   $name: $(cat $stream)"
    else
        echo "FAIL $name: exit status $actual; expected $status and one line on $stream matching" \
             "$message, nothing on $other"
        sed 's/^/    | /' stdout stderr | head -20
        failures=$(( failures + 1 ))
    fi
}

load='^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: cannot load data/'
fit='^src/SdlGridDrawer\.cpp:[0-9]+: check failed: display->'
font='^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$'
check "no data/"           2 "${load}overlay\.bmp: " rm -r data
check "cursor.bmp cut off" 2 "${load}cursor\.bmp: "  cut_off cursor.bmp 4000
# 7 x 92 > 640; 60 + 5 x 85 > 480
check "overlay too wide"   2 "${fit}w >= overlay_->w \* grid_\.getSlots\(\)$" sized_overlay 92x84
check "overlay too high"   2 "${fit}h >= CURSOR_SPACE \+ overlay_->h \* grid_\.getRows\(\)$" \
    sized_overlay 84x85
check "font missing"       1 "$font" rm data/Efont_Serif.ttf
check "font cut off"       1 "$font" cut_off Efont_Serif.ttf 1024   # a header whose tables point past the end
no_display_line='^ERROR: no display available: the game needs a graphical desktop '
no_display_line+='\(is DISPLAY set to an X server you can reach\?\)$'
check "no display"         1 "$no_display_line" no_display
check "empty driver name"  1 "$no_display_line" empty_driver
check "unknown driver"     1 '^ERROR: cannot start the video driver foo named by SDL_VIDEODRIVER: .+$' \
    unknown_driver
[ "$failures" -eq 0 ]
