// The device's trace on stderr, on when KORVANE_TRACE lists "mci" (e.g. KORVANE_TRACE=mci).
// Free when off: the check is one load of a flag, and the message is only formatted when on.
#pragma once

#include <cstdio>
#include <utility>

bool mciTraceEnabled();

// One line "mci: ..." on stderr, written whole even when several threads trace at once.
void mciTraceLine(const char *text);

template <typename... Args> void mciTrace(const char *format, Args &&...args) {
    if (!mciTraceEnabled())
        return;
    char line[512];
    std::snprintf(line, sizeof line, format, std::forward<Args>(args)...);
    mciTraceLine(line);
}
