// Read-only bytes that a sound is made of: a mapped file or a block in memory. Reading goes
// through this interface so that the WAV reader needs no file (tests and fuzzers use memory).
#pragma once

#include "mci/wave_error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // The bytes [offset, offset + length); the caller keeps them in range. Valid as long as the
    // source lives. Safe to call from several threads at once.
    virtual std::span<const std::byte> bytes(uint64_t offset, std::size_t length) const = 0;
    // An open descriptor of a file that holds the same bytes at the same offsets, or -1: lets a
    // save copy them inside the kernel instead of through memory.
    virtual int fileDescriptor() const { return -1; }
};

// A block in memory, owned by the source (recorded frames, test data, fuzz input).
std::shared_ptr<const ByteSource> makeMemorySource(std::vector<std::byte> bytes);

// The whole of an existing file, mapped read-only: nothing is read until it is used. The
// mapping stays valid if the file is later replaced by rename; pages lost when the file is cut
// short read as zeros.
WaveResult<std::shared_ptr<const ByteSource>> mapFile(const std::string &path);
