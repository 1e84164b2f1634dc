#!/usr/bin/env bash
# Installs the game into a prefix or unpacks its package, checks what a desktop and apt read, and plays.
#   installed_game.sh prefix|package <build tree> <work directory>
set -euo pipefail
case_name=$1 build=$2 work=$3
rm -rf "$work" && mkdir -p "$work/elsewhere"
id=org.quorlitz.Quorlitz
die() { echo "$*" >&2; exit 1; }

if [ "$case_name" = prefix ]; then
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    # A hint such as a missing main category leaves the game out of the menu.
    hints=$(desktop-file-validate "$work/prefix/share/applications/$id.desktop") || die "$hints"
    [ -z "$hints" ] || die "$hints"
    appstreamcli validate-tree --no-net --strict "$work/prefix"   # also finds the launchable entry
    usr=$work/prefix commands=$work/prefix/bin
else
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >/dev/null
    deb=$(echo "$work"/quorlitz_*_"$(dpkg --print-architecture)".deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    dpkg-deb -x "$deb" "$work/root"
    usr=$work/root/usr commands=$work/root/usr/games
    # The font link is meant for /usr: the unpacked tree gets the font there.
    data=/usr/share/games/quorlitz/data
    font=$(realpath -m "$data/$(readlink "$work/root$data/Efont_Serif.ttf")")
    mkdir -p "$work/root${font%/*}" && ln -s "$font" "$work/root$font"
    for needed in libsdl1.2debian libsdl-ttf2.0-0 libc6 "$(dpkg-query -S "$font" | cut -d: -f1)"; do
        sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" | grep -qxF "$needed" ||
            die "Depends: $depends lacks $needed"
    done
    # lintian's hardening tags leave the stack protector out.
    [[ $(readelf -W --dyn-syms "$usr/lib/games/quorlitz/quorlitz") == *__stack_chk_fail* ]] ||
        die "the packaged program has no stack protector"
    # Only optimised builds are fortified.
    unfortified=()
    grep -Eqx 'CMAKE_BUILD_TYPE:STRING=(Release|RelWithDebInfo|MinSizeRel|)' "$build/CMakeCache.txt" ||
        unfortified=(--suppress-tags=hardening-no-fortify-functions)
    lintian -I -E --pedantic --fail-on error,warning,info,pedantic "${unfortified[@]}" "$deb"
fi

entry=$usr/share/applications/$id.desktop
field() { sed -n "s/^$1=//p" "$entry"; }
categories=";$(field Categories)"
[[ $categories == *";Game;"* && $categories == *";BoardGame;"* ]] ||
    die "the entry's Categories '$(field Categories)' leave it out of the games or the board games"
! grep -E '^(NoDisplay|Hidden|OnlyShowIn|NotShowIn|TryExec|DBusActivatable)=' "$entry" ||
    die "the entry above hides the game or restricts where it shows"
[ "$(field Terminal)" = false ] || die "the entry runs the game in a terminal"
command=$commands/$(field Exec)
[ -x "$command" ] || die "the entry runs $(field Exec), which is not installed"
compgen -G "$usr/share/icons/hicolor/*/apps/$(field Icon).*" >/dev/null ||
    die "no icon $(field Icon) in hicolor"
licence=$(sed -n '/^Permission/,$ {s/^$/./; s/^/ /; p}' "$(dirname "$0")/../../LICENSE")
[[ $(<"$usr/share/doc/quorlitz/copyright") == *"License: Expat"$'\n'"$licence"* ]] ||
    die "the copyright file lacks the Expat licence's text"

# In a prefix, through a link in the player's own bin/, as players set one up.
E2E_GAME_DIR=$work/elsewhere
if [ "$case_name" = prefix ]; then
    mkdir -p "$work/home/bin" && ln -s "$command" "$work/home/bin/quorlitz" && command=$work/home/bin/quorlitz
fi
source "$(dirname "$0")/../program/lib.sh" "$command"
start_game
class=$(xprop -id "$WIN" WM_CLASS)
[ "${class##*, }" = "\"$(field StartupWMClass)\"" ] || fail "$class, not the entry's StartupWMClass"
key Escape
expect_clean_exit
