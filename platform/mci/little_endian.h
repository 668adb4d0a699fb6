// Little-endian numbers in byte buffers, the byte order of every field of a RIFF file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

inline uint16_t loadLittle16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<uint16_t>(std::to_integer<unsigned>(bytes[at]) |
                                 std::to_integer<unsigned>(bytes[at + 1]) << 8);
}

inline uint32_t loadLittle32(std::span<const std::byte> bytes, std::size_t at) {
    return uint32_t{loadLittle16(bytes, at)} | uint32_t{loadLittle16(bytes, at + 2)} << 16;
}

inline void storeLittle16(std::span<std::byte> bytes, std::size_t at, uint16_t value) {
    bytes[at] = static_cast<std::byte>(value);
    bytes[at + 1] = static_cast<std::byte>(value >> 8);
}

inline void storeLittle32(std::span<std::byte> bytes, std::size_t at, uint32_t value) {
    storeLittle16(bytes, at, static_cast<uint16_t>(value));
    storeLittle16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}
