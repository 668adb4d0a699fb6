// The piece loops stop at the first call that moves nothing.
#include "wavedata/chunked_transfer.h"

#include <algorithm>

int32_t WriteInPieces(std::FILE *stream, const uint8_t *block, int32_t count) {
    int32_t moved = 0;
    while (moved < count) {
        const auto piece = static_cast<std::size_t>(std::min(count - moved, kTransferPiece));
        const std::size_t written = std::fwrite(block + moved, 1, piece, stream);
        if (written == 0)
            break;
        moved += static_cast<int32_t>(written);
    }
    return moved;
}

int32_t ReadInPieces(std::FILE *stream, uint8_t *block, int32_t count) {
    int32_t moved = 0;
    while (moved < count) {
        const auto piece = static_cast<std::size_t>(std::min(count - moved, kTransferPiece));
        const std::size_t read = std::fread(block + moved, 1, piece, stream);
        if (read == 0)
            break;
        moved += static_cast<int32_t>(read);
    }
    return moved;
}
