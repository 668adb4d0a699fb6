// Moving a run of bytes between a memory block and an open file in pieces of at most 60000
// bytes, the largest a single file call is trusted with.
#pragma once

#include <cstdint>

inline constexpr int32_t kTransferPiece = 60000;

// Each returns the bytes actually moved; fewer than count means the file stopped (a full
// disk, the end of the file) or the break key was pressed, which the caller must not take for
// success.
int32_t WriteInPieces(int fd, const uint8_t *block, int32_t count);
int32_t ReadInPieces(int fd, uint8_t *block, int32_t count);
