#!/usr/bin/env bash
# Builds the example host against an installation alone, once through the CMake package and
# once through pkg-config, as the host's guide says (whose other examples are compiled too),
# and runs it from a folder of its own: it must create the control from
# the installation's registry with nothing registered or set, play a file to its end under a
# null sink and exit on Done; each failure gets its own exit status and one line. The installed
# development files must name neither the source, the build nor the prefix.
set -euo pipefail

build=$(realpath "${1:?usage: host_example_test.sh BUILD_DIR SOURCE_DIR}")
source=$(realpath "${2:?}")
work=$(mktemp -d)
# shellcheck source=../support/pulse_null_sink.sh
source "$source/tests/support/pulse_null_sink.sh"
trap 'pulse_stop; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ -f $prefix/include/nelowav/host.h ]] || fail "no nelowav/host.h installed"
devFiles=("$prefix/include/nelowav" "$prefix"/lib*/cmake/NeloWav
    "$prefix"/lib*/pkgconfig/nelowav.pc)
for path in "$source" "$build" "$prefix"; do
    ! grep -rIl -F "$path" "${devFiles[@]}" || fail "installed development files name $path"
done

# The guide's code blocks, each in a file of its own: cmake-1, sh-1, cpp-1 and so on.
guide="$work/guide"
mkdir -p "$guide"
awk -v dir="$guide" '
    /^```/ {
        if (open) { open = 0; if (out != "") close(out); out = ""; next }
        open = 1; language = substr($0, 4)
        if (language != "") out = dir "/" language "-" (++count[language])
        next
    }
    open && out != "" { print > out }' "$source/docs/hosting.md"

example="$source/examples/play_wav"
cmp -s "$guide/cmake-1" "$example/CMakeLists.txt" ||
    fail "the guide's CMake build is not the example's CMakeLists.txt"
cmake -S "$example" -B "$work/by-cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >"$work/cmake.log" 2>&1 ||
    fail "configuring the example: $(cat "$work/cmake.log")"
cmake --build "$work/by-cmake" >>"$work/cmake.log" 2>&1 ||
    fail "building the example with CMake: $(cat "$work/cmake.log")"
PKG_CONFIG_PATH=$(dirname "$prefix"/lib*/pkgconfig/nelowav.pc)
export PKG_CONFIG_PATH
mkdir "$work/by-pkg-config"
cp "$example/main.cpp" "$work/by-pkg-config"
(cd "$work/by-pkg-config" && bash -e "$guide/sh-1") ||
    fail "building the example with the guide's pkg-config line"
# shellcheck disable=SC2046 # the flags are words
for snippet in "$guide"/cpp-*; do
    c++ -std=c++20 -fPIC -Wall -Wextra -Werror -fsyntax-only -x c++ "$snippet" \
        $(pkg-config --cflags nelowav Qt6Core) ||
        fail "the guide's $(basename "$snippet") does not compile"
done
[[ -f $guide/cpp-3 ]] || fail "the guide's C++ examples were not found"

export HOME="$work/home" QT_QPA_PLATFORM=offscreen TMPDIR="$work"
unset KORVANE_COM_REGISTRY XDG_DATA_HOME
# No registry along the data folders: only the installation's own, beside its library, counts.
export XDG_DATA_DIRS="$work/no-data"
mkdir -p "$HOME"
sox -n -r 22050 -b 16 -c 2 "$work/tone.wav" synth 0.3 sine 440 vol 0.5
pulse_start || fail "no sound server"

expected='length 6615 samples, 2 channels, 16 bits, 22050 samples per second
played to the end'
for player in "$work/by-cmake/play_wav" "$work/by-pkg-config/play_wav"; do
    output=$("$player" "$work/tone.wav" 2>&1) || fail "$player: $output"
    [[ $output == "$expected" ]] || fail "$player printed: $output"
done
[[ ! -e $HOME/.local/share/korvane/com-registry ]] || fail "the example wrote a user registry"

# expect_failure STATUS TEXT COMMAND...: the command fails with STATUS and one line holding TEXT.
expect_failure() {
    local status=$1 text=$2 output actual=0
    shift 2
    output=$("$@" 2>&1) || actual=$?
    ((actual == status)) || fail "$* exited with $actual, not $status: $output"
    [[ $output == *"$text"* && $(wc -l <<<"$output") == 1 ]] || fail "$* said: $output"
}
player="$work/by-pkg-config/play_wav"
expect_failure 1 "usage: play_wav FILE.wav" "$player"
expect_failure 3 "cannot open $work/none.wav: 275: " "$player" "$work/none.wav"
printf 'not a sound' >"$work/text.wav"
expect_failure 3 "cannot open $work/text.wav: 296: " "$player" "$work/text.wav"
KORVANE_COM_REGISTRY="$work/empty-registry" \
    expect_failure 2 "NELOWAV.NeloWavCtrl is not registered" "$player" "$work/tone.wav"
