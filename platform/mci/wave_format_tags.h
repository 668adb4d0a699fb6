// The format tags of a WAV file's format chunk that the device reads and writes.
#pragma once

#include <cstdint>

constexpr uint16_t kFormatTagPcm = 1;
constexpr uint16_t kFormatTagFloat = 3;
// The format chunk names the encoding by a sub-format GUID further on.
constexpr uint16_t kFormatTagExtensible = 0xFFFE;
