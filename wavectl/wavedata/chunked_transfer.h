// Moving a run of bytes between a memory block and a stream file in pieces of at most 60000
// bytes, the largest a single stream call is trusted with.
#pragma once

#include <cstdint>
#include <cstdio>

inline constexpr int32_t kTransferPiece = 60000;

// Each returns the bytes actually moved; fewer than count means the stream stopped (a full
// disk, the end of the file), which the caller must not take for success.
int32_t WriteInPieces(std::FILE *stream, const uint8_t *block, int32_t count);
int32_t ReadInPieces(std::FILE *stream, uint8_t *block, int32_t count);
