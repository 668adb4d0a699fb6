// KORVANE_TRACE is read once, the first time anything asks.
#include "mci/mci_trace.h"

#include "base/trace_area.h"

#include <cstdlib>

bool mciTraceEnabled() {
    static const bool enabled = traceAreaListed(std::getenv("KORVANE_TRACE"), "mci");
    return enabled;
}

void mciTraceLine(const char *text) {
    writeTraceLine("mci", text);
}
