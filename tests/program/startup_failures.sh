#!/usr/bin/env bash
# Start-up with one thing broken: one line and at once, a failed check on stderr with status 2 or an
# ERROR on stdout with status 1. Without a display no fallback driver may start: one that takes the
# terminal over would print first, one that shows nothing would hang.
set -uo pipefail
binary=$(realpath "${1:?usage: $0 <quorlitz binary>}")
data=$(dirname "$binary")/data
work=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
MAGICK=/usr/bin/convert; [ -x $MAGICK ] || MAGICK=convert
failures=0

sized_overlay() { "$MAGICK" -size "$1" xc:white -type TrueColor BMP3:data/overlay.bmp; }
# Without a runtime directory, which a login session has, SDL's Wayland client complains on stderr.
no_display() { mkdir -m 700 runtime; environment=(XDG_RUNTIME_DIR="$work/case/runtime"); }
empty_driver() { no_display; environment+=(SDL_VIDEODRIVER=); }
unknown_driver() { environment=(SDL_VIDEODRIVER=foo); }

#   check <case> <status> <the line's extended regular expression> <command that breaks the copy of data/>
check()
{
    local name=$1 status=$2 message=$3 stream=stdout other=stderr actual=0
    shift 3
    [ "$status" -ne 2 ] || stream=stderr other=stdout
    rm -rf "$work/case" && mkdir "$work/case" && cp -r "$data" "$work/case/data" && cd "$work/case" || exit 2
    environment=(SDL_VIDEODRIVER=dummy)
    "$@"
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${environment[@]}" \
        timeout -k 5 10 "$binary" >stdout 2>stderr || actual=$?
    if [ "$actual" -eq "$status" ] && [ "$(wc -l <$stream)" -eq 1 ] && grep -Eq "$message" $stream &&
       [ ! -s $other ]; then
        echo "ok   $name: $(cat $stream)"
    else
        echo "FAIL $name: exit status $actual, expected $status and one line on $stream"
        sed 's/^/    | /' stdout stderr | head -20
        failures=$(( failures + 1 ))
    fi
}

failed='^src/Sdl(Helper|GridDrawer)\.cpp:[0-9]+: check failed: '
check "no data/"          2 "${failed}tmp: cannot load data/overlay\.bmp: " rm -r data
# 7 x 92 > 640; 60 + 5 x 85 > 480
check "overlay too wide"  2 "${failed}display->w >= overlay_->w \* grid_\.getSlots\(\)$" sized_overlay 92x84
check "overlay too high"  2 "${failed}display->h >= CURSOR_SPACE \+ overlay_->h \* grid_\.getRows\(\)$" \
    sized_overlay 84x85
check "font missing"      1 '^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$' rm data/Efont_Serif.ttf
missing='^ERROR: no display available: the game needs a graphical desktop '
missing+='\(is DISPLAY set to an X server you can reach\?\)$'
check "no display"        1 "$missing" no_display
check "empty driver name" 1 "$missing" empty_driver
check "unknown driver"    1 '^ERROR: cannot start the video driver foo named by SDL_VIDEODRIVER: .+$' \
    unknown_driver
[ "$failures" -eq 0 ]
