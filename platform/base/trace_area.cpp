// The trace's area list and its line writer, shared by every module that traces.
#include "base/trace_area.h"

#include <string>
#include <unistd.h>

bool traceAreaListed(const char *areas, std::string_view area) {
    std::string_view rest = areas != nullptr ? areas : "";
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == area)
            return true;
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return false;
}

void writeTraceLine(std::string_view area, std::string_view text) {
    std::string line(area);
    line += ": ";
    line += text;
    line += '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.data(), line.size());
}
