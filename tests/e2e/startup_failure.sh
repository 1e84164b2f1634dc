#!/usr/bin/env bash
# Start-up with broken data or without a display: the program must stop at once with one clear
# message naming the file or the cause, a non-zero status, no hang, no sanitizer report and no
# crash. Each case breaks one thing in a fresh copy of the game's data/ and starts the program
# there, under SDL's dummy video driver unless the case is about the display itself.
#   startup_failure.sh <case> <quorlitz binary>
set -euo pipefail

case_name=${1:?usage: $0 <case> <quorlitz binary>}
binary=$(realpath "${2:?usage: $0 <case> <quorlitz binary>}")
data=$(dirname "$binary")/data
work=$(mktemp -d "${TMPDIR:-/tmp}/quorlitz-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
if [ -x /usr/bin/convert ]; then MAGICK=/usr/bin/convert; else MAGICK=convert; fi
SECONDS_ALLOWED=${STARTUP_SECONDS:-10}
cp -r "$data" "$work/data"
cd "$work"
environment=(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy)
# In a sanitizer build: whole allocation stacks, so that the suppression of SDL's own leak at exit
# (tests/lsan.supp) can recognise it; the default quick stacks end inside SDL.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"

# A failed check: status 2 and one line on stderr; the font system's error or no display:
# status 1 and one "ERROR: " line on stdout. The line must match an extended regular expression.
expect() { status=$1 stream=stdout message=$2; [ "$status" -ne 2 ] || stream=stderr; }
load='^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*data/'
fit='^src/SdlGridDrawer\.cpp:[0-9]+: check failed: display->'
font='^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$'
keyed_bitmap() { "$MAGICK" -size "$1" xc:'#ff00ff' -type TrueColor BMP3:data/overlay.bmp; }

case $case_name in
    missing_overlay)  rm data/overlay.bmp; expect 2 "${load}overlay\.bmp" ;;
    missing_cursor)   rm data/cursor.bmp; expect 2 "${load}cursor\.bmp" ;;
    truncated_bitmap) head -c $(( $(stat -c %s "$data/overlay.bmp") / 2 )) "$data/overlay.bmp" >data/overlay.bmp
                      expect 2 "${load}overlay\.bmp" ;;
    text_as_bitmap)   echo "this is not a picture" >data/cursor.bmp; expect 2 "${load}cursor\.bmp" ;;
    overlay_too_wide) keyed_bitmap 92x84; expect 2 "${fit}w >= overlay_->w \* grid_\.getSlots\(\)" ;;
    overlay_too_high) keyed_bitmap 84x85; expect 2 "${fit}h >= CURSOR_SPACE \+ overlay_->h \* grid_\.getRows\(\)" ;;
    missing_font)     rm data/Efont_Serif.ttf; expect 1 "$font" ;;
    empty_font)       : >data/Efont_Serif.ttf; expect 1 "$font" ;;
    # A real font's first kilobyte: a valid header whose tables point past the end.
    corrupt_font)     head -c 1024 "$data/Efont_Serif.ttf" >data/Efont_Serif.ttf; expect 1 "$font" ;;
    no_data_dir)      rm -r data; expect 2 "${load}overlay\.bmp" ;;
    # A login session without a display still has its runtime directory; without one, the Wayland
    # client library that SDL tries first complains on stderr by itself.
    no_display)       mkdir -m 700 runtime; environment=(XDG_RUNTIME_DIR="$work/runtime")
                      expect 1 '^ERROR: no display available' ;;
    *)                echo "unknown case '$case_name'" >&2; exit 2 ;;
esac

actual=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${environment[@]}" \
    timeout -k 5 "$SECONDS_ALLOWED" "$binary" >stdout 2>stderr || actual=$?

report()
{
    echo "FAIL ($case_name): $*"
    echo "  exit status $actual; stdout:"; sed 's/^/    | /' stdout
    echo "  stderr:"; sed 's/^/    | /' stderr | head -40
    exit 1
}
[ "$actual" -ne 124 ] && [ "$actual" -ne 137 ] || report "still running after $SECONDS_ALLOWED s"
[ "$actual" -lt 128 ] || report "killed by signal $(( actual - 128 ))"
! grep -Eq 'Sanitizer|runtime error:' stderr || report "sanitizer report"
[ "$actual" -eq "$status" ] || report "exit status $actual, expected $status"
other=stdout
[ "$stream" = stdout ] && other=stderr
[ "$(wc -l <"$stream")" -eq 1 ] || report "expected exactly one line on $stream"
grep -Eq "$message" "$stream" || report "the $stream line does not match: $message"
[ ! -s "$other" ] || report "expected nothing on $other"
echo "$case_name: status $actual, $stream: $(cat "$stream")"
