#!/usr/bin/env bash
# Installs the build into a staging folder, as a packager does, and checks that the installed
# layout stands on its own: programs that run, the music beside the game, valid desktop data.
set -euo pipefail

build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

prefix=/usr/local
DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" >/dev/null
root="$work/stage$prefix"

[[ $(readlink -f "$root/games/korvane") == "$root/lib/games/korvane/korvane" ]] ||
    fail "games/korvane does not lead to lib/games/korvane/korvane"
[[ -f $root/lib/games/korvane/Music.wav ]] || fail "the music is not beside the game"
[[ -f $root/lib/korvane/libnelowav.so ]] || fail "the control module is not in lib/korvane"
# The installed programs must find their libraries in the installation, not the build tree.
for program in bin/regsvr bin/nelowav lib/games/korvane/korvane lib/korvane/libnelowav.so \
    lib/korvane/libkorvane_sdl_audio.so; do
    ! ldd "$root/$program" | grep -q -e "$(realpath "$build")" -e 'not found' ||
        fail "$program loads libraries from outside the installation"
done
"$root/bin/regsvr" --help >/dev/null || fail "the installed regsvr does not run"
"$root/bin/nelowav" --help >/dev/null || fail "the installed nelowav does not run"
for size in 16 22 24 32 48 64 128 256; do
    [[ $(identify -format %wx%h "$root/share/icons/hicolor/${size}x${size}/apps/org.korvane.Korvane.png") == "${size}x${size}" ]] ||
        fail "no ${size}px icon"
done
grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/org.korvane.Korvane.svg" ||
    fail "no scalable icon"
desktop-file-validate "$root/share/applications/org.korvane.Korvane.desktop" ||
    fail "the desktop entry is not valid"
appstreamcli validate --no-net --strict "$root/share/metainfo/org.korvane.Korvane.metainfo.xml" >/dev/null ||
    fail "the AppStream metadata is not valid"
for page in man1/nelowav.1 man1/regsvr.1 man6/korvane.6; do
    zcat "$root/share/man/$page.gz" | grep -q '^\.SH NAME' || fail "$page is not a manual page"
done
for package in korvane nelowav; do
    grep -q '^License: MIT$' "$root/share/doc/$package/copyright" || fail "no copyright for $package"
done

# The staged registry names the final paths, never the staging folder.
registry="$root/share/korvane/com-registry"
grep -q "^@=\"$prefix/lib/korvane/libnelowav.so\"" "$registry" ||
    fail "the installed registry does not name $prefix/lib/korvane/libnelowav.so"
! grep -q "$work/stage" "$registry" || fail "the installed registry names the staging folder"

# Installed into a prefix of its own, the game creates the control for a user who has never
# registered anything, and opens its music with it.
cmake --install "$build" --prefix "$work/prefix" >/dev/null
export HOME="$work/home" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy KORVANE_TRACE=mci
unset KORVANE_COM_REGISTRY XDG_DATA_HOME XDG_DATA_DIRS
mkdir -p "$HOME"
timeout 4 "$work/prefix/games/korvane" >"$work/korvane.log" 2>&1 || true
grep -q "\"open $work/prefix/lib/games/korvane/Music.wav alias [0-9]* type waveaudio wait\" -> 0" \
    "$work/korvane.log" || fail "the installed game did not open its music: $(grep mci: "$work/korvane.log")"
[[ ! -e $HOME/.local/share/korvane/com-registry ]] || fail "the game wrote a user registry"
