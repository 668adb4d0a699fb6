// Little-endian numbers in byte buffers: the byte order of every field of a RIFF file and of
// the samples in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The count bytes (1 to 8) from at, least significant first.
constexpr uint64_t loadLittle(std::span<const std::byte> bytes, std::size_t at, std::size_t count) {
    uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= uint64_t{std::to_integer<uint8_t>(bytes[at + i])} << (8 * i);
    return value;
}

// The low count bytes (1 to 8) of value from at, least significant first.
constexpr void storeLittle(std::span<std::byte> bytes, std::size_t at, uint64_t value,
                           std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        bytes[at + i] = static_cast<std::byte>(value >> (8 * i));
}

constexpr uint16_t loadLittle16(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<uint16_t>(loadLittle(bytes, at, 2));
}

constexpr uint32_t loadLittle32(std::span<const std::byte> bytes, std::size_t at) {
    return static_cast<uint32_t>(loadLittle(bytes, at, 4));
}

constexpr void storeLittle16(std::span<std::byte> bytes, std::size_t at, uint16_t value) {
    storeLittle(bytes, at, value, 2);
}

constexpr void storeLittle32(std::span<std::byte> bytes, std::size_t at, uint32_t value) {
    storeLittle(bytes, at, value, 4);
}
