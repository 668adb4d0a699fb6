// The first slice always runs, so that an edit too short to need breaking is never broken.
#include "wavedata/breakable_slices.h"

#include "base/break_key.h"

#include <algorithm>

bool InBreakableSlices(std::size_t total,
                       const std::function<void(std::size_t first, std::size_t count)> &work) {
    for (std::size_t first = 0; first < total; first += kSamplesPerSlice) {
        if (first > 0 && BreakKeyPressed())
            return false;
        work(first, std::min(kSamplesPerSlice, total - first));
    }
    return true;
}
