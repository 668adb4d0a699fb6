// Work on every sample of a sound, done slice by slice: a host presses the break key when it
// must end, and a long edit then stops between two slices instead of keeping it for seconds.
#pragma once

#include "base/break_key.h"

#include <cstddef>
#include <functional>

// A few milliseconds of work on any machine, and few enough slices that the checks cost nothing.
inline constexpr std::size_t kSamplesPerSlice = std::size_t{1} << 22;

// Calls work(first, count) on consecutive slices of the samples [0, total); false when the break
// key stopped it before the end.
inline bool
InBreakableSlices(std::size_t total,
                  const std::function<void(std::size_t first, std::size_t count)> &work) {
    return InBreakablePieces(total, kSamplesPerSlice, [&](std::size_t first, std::size_t count) {
        work(first, count);
        return true;
    });
}
