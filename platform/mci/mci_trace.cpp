// KORVANE_TRACE is read once, the first time anything asks.
#include "mci/mci_trace.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

bool listsMci(const char *areas) {
    std::string_view rest = areas != nullptr ? areas : "";
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == "mci")
            return true;
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return false;
}

} // namespace

bool mciTraceEnabled() {
    static const bool enabled = listsMci(std::getenv("KORVANE_TRACE"));
    return enabled;
}

void mciTraceLine(const char *text) {
    std::string line = "mci: ";
    line += text;
    line += '\n';
    // One write call, so lines from the audio thread and the caller's thread never interleave.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
}
