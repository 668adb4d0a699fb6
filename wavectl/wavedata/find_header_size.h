// FindHeaderSize: where the sample bytes of a WAV file start.
#pragma once

#include <cstdint>

// The offset after the first "data" tag and its length field within the file's first 10004
// bytes (the tag starting at offset 10000 at the latest), found at any byte position, chunk
// boundaries or not; 0 when there is none, when it stands at offset 0, or when the file cannot
// be read. path is a short path, as GetShortPathNameA gives it.
int32_t FindHeaderSize(const char *path);
