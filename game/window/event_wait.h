// Waiting on the GUI thread while its events keep being delivered.
#pragma once

#include <chrono>

namespace korvane {

// Runs a nested event loop until maxWait has passed; the thread sleeps between events.
// A wait of zero or less delivers only what is already pending.
void waitProcessingEvents(std::chrono::steady_clock::duration maxWait);

} // namespace korvane
