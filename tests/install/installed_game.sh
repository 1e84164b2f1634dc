#!/usr/bin/env bash
# Installs the built game into a prefix below the work directory (prefix), or makes the Debian
# package and unpacks it there (package); checks what a desktop and apt read, then starts the
# installed command from another directory (in a prefix, through a link to it) and quits from the menu.
#   installed_game.sh prefix|package <build tree> <work directory> <close_window helper>
set -euo pipefail
case_name=$1 build=$2 work=$3 close_window=$4
rm -rf "$work" && mkdir -p "$work/elsewhere"
id=org.quorlitz.Quorlitz
die() { echo "$*" >&2; exit 1; }

case $case_name in
    prefix)
        cmake --install "$build" --prefix "$work/prefix" >/dev/null
        # Hints count too: a hint such as a missing main category leaves the game out of the menu.
        hints=$(desktop-file-validate "$work/prefix/share/applications/$id.desktop") || die "$hints"
        [ -z "$hints" ] || die "$hints"
        appstreamcli validate-tree --no-net --strict "$work/prefix"   # also finds the launchable entry
        usr=$work/prefix commands=$work/prefix/bin ;;
    package)
        cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null
        deb=$(echo "$work"/quorlitz_*_"$(dpkg --print-architecture)".deb)
        depends=$(dpkg-deb -f "$deb" Depends)
        echo "Depends: $depends"
        dpkg-deb -x "$deb" "$work/root"
        usr=$work/root/usr commands=$work/root/usr/games
        # The font link is relative (Debian's policy) and meant for /usr; the unpacked tree gets the
        # font there.
        link=$(readlink "$(find "$usr/share/games/quorlitz/data" -type l)")
        [[ $link != /* ]] || die "font link $link not relative"
        font=$(realpath -m "/usr/share/games/quorlitz/data/$link")
        mkdir -p "$work/root${font%/*}" && ln -s "$font" "$work/root$font"
        font_package=$(dpkg-query -S "$font" | cut -d: -f1)
        # The libraries the program links, as the system's packages name them, and the font it links to.
        for needed in libsdl1.2debian libsdl-ttf2.0-0 libc6 "$font_package"; do
            sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" | grep -qxF "$needed" ||
                die "Depends lacks $needed"
        done
        elf=$(readelf -Whd --dyn-syms "$usr/lib/games/quorlitz/quorlitz")
        for mark in BIND_NOW 'Position-Independent Executable' __stack_chk_fail; do
            grep -q "$mark" <<<"$elf" || die "the packaged program lacks $mark"
        done
        # Only optimised builds are fortified (no install test runs in the sanitizer tree).
        unfortified=()
        grep -Eqx 'CMAKE_BUILD_TYPE:STRING=(Release|RelWithDebInfo|MinSizeRel|)' "$build/CMakeCache.txt" ||
            unfortified=(--suppress-tags=hardening-no-fortify-functions)
        if command -v lintian >/dev/null; then
            lintian -I -E --pedantic --fail-on error,warning,info,pedantic "${unfortified[@]}" "$deb"
        else
            echo "no lintian: the package is not checked with it (scripts/install-deps.sh test installs it)"
        fi ;;
    *) echo "unknown case '$case_name'" >&2; exit 2 ;;
esac

# What a desktop menu does with the entry: lists it among the games and the board games (nothing
# hides it or keeps it to some desktops), shows the icon it names from the icon theme, starts the
# installed command it names without a terminal, and tells the running window by the class it names.
entry=$usr/share/applications/$id.desktop metainfo=$usr/share/metainfo/$id.metainfo.xml
field() { sed -n "s/^$1=//p" "$entry"; }
expect_field() { [ "$(field "$1")" = "$2" ] || die "the entry's $1 is '$(field "$1")', not '$2'"; }
for setting in Type=Application Name=Quorlitz Exec=quorlitz Terminal=false Icon=$id \
               StartupWMClass=quorlitz; do
    expect_field "${setting%%=*}" "${setting#*=}"
done
categories=";$(field Categories)"
[[ $categories == *";Game;"* && $categories == *";BoardGame;"* ]] ||
    die "the entry's Categories '$(field Categories)' leave it out of the games or the board games"
! grep -E '^(NoDisplay|Hidden|OnlyShowIn|NotShowIn|TryExec|DBusActivatable)=' "$entry" ||
    die "the entry above hides the game or restricts where it shows"
command=$commands/$(field Exec)
[ -x "$command" ] || die "the entry runs $(field Exec), which is not installed"
compgen -G "$usr/share/icons/hicolor/*/apps/$(field Icon).*" >/dev/null ||
    die "no icon $(field Icon) in hicolor"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>|\1|p' "$metainfo")
[ -f "$usr/share/applications/$launchable" ] || die "the metainfo launches '$launchable', not installed"
grep -qF '<project_license>MIT</project_license>' "$metainfo" || die "the metainfo does not name MIT"
licence=$(sed -n '/^Permission/,$ {s/^$/./; s/^/ /; p}' "$(dirname "$0")/../../LICENSE")
[[ $(<"$usr/share/doc/quorlitz/copyright") == *"License: Expat"$'\n'"$licence"* ]] ||
    die "the copyright file lacks the Expat licence's text"

# The game runs where the player stands, not beside the command; in a prefix, through a link to the
# command in the player's own bin/, as players set one up.
E2E_GAME_DIR=$work/elsewhere
if [ "$case_name" = prefix ]; then
    mkdir -p "$work/home/bin" && ln -s "$command" "$work/home/bin/quorlitz" && command=$work/home/bin/quorlitz
fi
source "$(dirname "$0")/../program/lib.sh" "$command" "$close_window"
start_game
# The desktop tells the running window by the class its entry names.
class=$(xprop -id "$WIN" WM_CLASS)
[ "${class##*, }" = '"quorlitz"' ] || fail "$class, not the entry's StartupWMClass"
key Escape
expect_clean_exit
