// The piece loops stop at the first call that moves nothing or fails, and between two pieces
// once the break key is down.
#include "wavedata/chunked_transfer.h"

#include "base/break_key.h"
#include "base/faultable_calls.h"

#include <algorithm>
#include <cerrno>

namespace {

template <typename Move> int32_t inPieces(int32_t count, Move move) {
    int32_t moved = 0;
    while (moved < count) {
        if (moved > 0 && BreakKeyPressed())
            break;
        const auto piece = static_cast<std::size_t>(std::min(count - moved, kTransferPiece));
        const ssize_t done = move(moved, piece);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            break;
        moved += static_cast<int32_t>(done);
    }
    return moved;
}

} // namespace

int32_t WriteInPieces(int fd, const uint8_t *block, int32_t count) {
    return inPieces(count, [&](int32_t at, std::size_t piece) {
        return faultable::write(fd, block + at, piece);
    });
}

int32_t ReadInPieces(int fd, uint8_t *block, int32_t count) {
    return inPieces(count, [&](int32_t at, std::size_t piece) {
        return faultable::read(fd, block + at, piece);
    });
}
