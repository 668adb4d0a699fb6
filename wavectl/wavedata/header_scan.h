// Where the sample bytes start: the byte after the first "data" tag and its length field.
#pragma once

#include <cstddef>
#include <cstdint>

// The tag may start at any byte up to offset kLastTagOffset, chunk boundary or not.
inline constexpr std::size_t kLastTagOffset = 10000;

// The offset after the first "data" tag and its length in bytes[0, size) that starts at or
// before kLastTagOffset; 0 when there is none or it stands at offset 0.
int32_t HeaderSizeIn(const uint8_t *bytes, std::size_t size);
