#!/usr/bin/env bash
# Turns a program's --help text, laid out like a manual page (section titles in capitals at
# the margin, their text indented by four spaces), into a roff manual page, so the installed
# manual always says what the program itself says.
# Usage: usage_to_man.sh PROGRAM SECTION OUTPUT
set -euo pipefail
program=${1:?usage: usage_to_man.sh PROGRAM SECTION OUTPUT}
section=${2:?}
output=${3:?}
name=$(basename "$program")

"$program" --help | awk -v name="$name" -v section="$section" '
BEGIN { printf ".TH %s %s \"\" \"Korvane\" \"Korvane Manual\"\n", toupper(name), section }
function roff(line) {
    gsub(/\\/, "\\e", line)
    sub(/^    /, "", line)
    if (line ~ /^[.\x27]/) line = "\\&" line
    return line
}
/^[A-Z][A-Z ]*$/ { if (open) print ".fi"; printf ".SH %s\n.nf\n", $0; open = 1; next }
{ print roff($0) }
END { if (open) print ".fi" }
' >"$output.tmp"
mv "$output.tmp" "$output"
