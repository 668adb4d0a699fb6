// WAV files put together byte by byte: the one builder every test and harness uses, so that a
// file's layout is written out in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::byte>;

inline void appendLittle(Bytes &bytes, uint32_t value, int size) {
    for (int at = 0; at < size; ++at)
        bytes.push_back(static_cast<std::byte>(value >> (8 * at)));
}

// A chunk's header alone: its id and the size it gives its body.
inline Bytes chunkHeader(const char (&id)[5], uint32_t size) {
    Bytes bytes(reinterpret_cast<const std::byte *>(id),
                reinterpret_cast<const std::byte *>(id) + 4);
    appendLittle(bytes, size, 4);
    return bytes;
}

// A chunk with its header, and its pad byte when the body's size is odd.
inline Bytes chunk(const char (&id)[5], const Bytes &body) {
    Bytes bytes = chunkHeader(id, static_cast<uint32_t>(body.size()));
    bytes.insert(bytes.end(), body.begin(), body.end());
    if (body.size() % 2 != 0)
        bytes.push_back(std::byte{0});
    return bytes;
}

inline Bytes fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                     uint16_t blockAlign) {
    Bytes body;
    appendLittle(body, tag, 2);
    appendLittle(body, channels, 2);
    appendLittle(body, rate, 4);
    appendLittle(body, rate * blockAlign, 4);
    appendLittle(body, blockAlign, 2);
    appendLittle(body, bits, 2);
    return body;
}

// A RIFF WAVE file of the chunks in order, its RIFF size right.
inline Bytes riffWave(std::initializer_list<Bytes> chunks) {
    Bytes bytes{std::byte{'R'}, std::byte{'I'}, std::byte{'F'}, std::byte{'F'}};
    Bytes body{std::byte{'W'}, std::byte{'A'}, std::byte{'V'}, std::byte{'E'}};
    for (const Bytes &part : chunks)
        body.insert(body.end(), part.begin(), part.end());
    appendLittle(bytes, static_cast<uint32_t>(body.size()), 4);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// Bytes that differ from frame to frame and from channel to channel.
inline Bytes numberedBytes(std::size_t count, uint32_t seed = 1) {
    Bytes bytes(count);
    for (std::size_t at = 0; at < count; ++at)
        bytes[at] = static_cast<std::byte>((at * 7 + seed) % 251);
    return bytes;
}

// A plain PCM file: a 16-byte fmt chunk, then the samples in a data chunk.
inline Bytes pcmWave(uint16_t channels, uint16_t bits, uint32_t rate, const Bytes &samples) {
    const auto blockAlign = static_cast<uint16_t>(channels * (bits / 8u));
    return riffWave(
        {chunk("fmt ", fmtBody(1, channels, rate, bits, blockAlign)), chunk("data", samples)});
}

inline Bytes bytesOf(std::string_view text) {
    const auto *first = reinterpret_cast<const std::byte *>(text.data());
    return Bytes(first, first + text.size());
}

inline std::string textOf(const Bytes &bytes) {
    return std::string(reinterpret_cast<const char *>(bytes.data()), bytes.size());
}

inline bool writeFile(const std::filesystem::path &path, const Bytes &bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}
