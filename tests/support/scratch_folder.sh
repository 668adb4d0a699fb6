# shellcheck shell=bash
# Sourced by test scripts: $work, a fresh folder removed when the script exits, and fail, which
# ends the test with its reason.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}
