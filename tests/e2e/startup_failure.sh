#!/usr/bin/env bash
# Start-up with broken data or without a display: the program must stop at once with one clear
# message naming the file or the cause, a non-zero status, no hang, no sanitizer report and no
# crash. Each case copies the game's data/ to a fresh directory, breaks one thing and starts the
# program there, under SDL's dummy video driver unless the case is about the display itself.
#
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
environment=(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy)
# In a sanitizer build: whole allocation stacks, so that the suppression of SDL's own leak at exit
# (tests/lsan.supp) can recognise it; the default quick stacks end inside SDL.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0"

# What must come out: exit status, the stream that carries the message, and an extended regular
# expression that the message's one line must match.
check_failure() { status=2 stream=stderr; message=$1; }
runtime_error() { status=1 stream=stdout; message=$1; }

# A 24-bit bitmap of the given size, all in the transparent colour.
keyed_bitmap() { "$MAGICK" -size "$1" xc:'#ff00ff' -type TrueColor "BMP3:$2"; }

case $case_name in
    missing_overlay)
        rm "$work/data/overlay.bmp"
        check_failure '^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*overlay\.bmp' ;;
    missing_cursor)
        rm "$work/data/cursor.bmp"
        check_failure '^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*cursor\.bmp' ;;
    truncated_bitmap)
        size=$(stat -c %s "$data/overlay.bmp")
        head -c $(( size / 2 )) "$data/overlay.bmp" >"$work/data/overlay.bmp"
        check_failure '^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*overlay\.bmp' ;;
    text_as_bitmap)
        echo "this is not a picture" >"$work/data/cursor.bmp"
        check_failure '^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*cursor\.bmp' ;;
    overlay_too_wide)
        keyed_bitmap 92x84 "$work/data/overlay.bmp"
        check_failure '^src/SdlGridDrawer\.cpp:[0-9]+: check failed: display->w >= overlay_->w \* grid_\.getSlots\(\)' ;;
    overlay_too_high)
        keyed_bitmap 84x85 "$work/data/overlay.bmp"
        check_failure '^src/SdlGridDrawer\.cpp:[0-9]+: check failed: display->h >= CURSOR_SPACE \+ overlay_->h \* grid_\.getRows\(\)' ;;
    missing_font)
        rm "$work/data/Efont_Serif.ttf"
        runtime_error '^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$' ;;
    empty_font)
        : >"$work/data/Efont_Serif.ttf"
        runtime_error '^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$' ;;
    corrupt_font)
        # A real font's first kilobyte: a valid header whose tables point past the end.
        head -c 1024 "$data/Efont_Serif.ttf" >"$work/data/Efont_Serif.ttf"
        runtime_error '^ERROR: SdlFontManager: unable to load Efont_Serif\.ttf$' ;;
    no_data_dir)
        rm -r "$work/data"
        check_failure '^src/SdlHelper\.cpp:[0-9]+: check failed: tmp: .*overlay\.bmp' ;;
    no_display)
        # A login session without a display still has its runtime directory; without one, the
        # Wayland client library that SDL tries first complains on stderr by itself.
        mkdir -m 700 "$work/runtime"
        environment=(XDG_RUNTIME_DIR="$work/runtime")
        runtime_error '^ERROR: no display available' ;;
    *)
        echo "unknown case '$case_name'" >&2
        exit 2 ;;
esac

actual=0
(cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${environment[@]}" \
    timeout -k 5 "$SECONDS_ALLOWED" "$binary" >"$work/stdout" 2>"$work/stderr") || actual=$?

report()
{
    echo "FAIL ($case_name): $*"
    echo "  exit status $actual"
    echo "  stdout:"; sed 's/^/    | /' "$work/stdout"
    echo "  stderr:"; sed 's/^/    | /' "$work/stderr" | head -40
    exit 1
}

[ "$actual" -ne 124 ] && [ "$actual" -ne 137 ] || report "still running after $SECONDS_ALLOWED s"
[ "$actual" -lt 128 ] || report "killed by signal $(( actual - 128 ))"
if grep -Eq 'Sanitizer|runtime error:' "$work/stderr"; then report "sanitizer report"; fi
[ "$actual" -eq "$status" ] || report "exit status $actual, expected $status"

other=stdout
[ "$stream" = stdout ] && other=stderr
[ "$(wc -l <"$work/$stream")" -eq 1 ] || report "expected exactly one line on $stream"
grep -Eq "$message" "$work/$stream" || report "the $stream line does not match: $message"
[ ! -s "$work/$other" ] || report "expected nothing on $other"
echo "$case_name: status $actual, $stream: $(cat "$work/$stream")"
