// The diagnostic trace on stderr, which KORVANE_TRACE turns on area by area
// (KORVANE_TRACE=mci,com). Each area reads the variable once and keeps the answer.
#pragma once

#include <string_view>

// Whether areas, a comma-separated list such as KORVANE_TRACE's value (null for none), names
// area.
bool traceAreaListed(const char *areas, std::string_view area);

// One line "AREA: TEXT" on stderr, in one write so that lines of several threads never
// interleave.
void writeTraceLine(std::string_view area, std::string_view text);
