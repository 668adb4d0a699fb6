// Short arrays exchanged through files of little-endian 16-bit values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The first values of the file, at most maxElements of them, or nullopt with the reason in
// error (missing, not a regular file, unreadable, an odd number of bytes).
std::optional<std::vector<int16_t>> readArrayFile(const std::string &path, size_t maxElements,
                                                  std::string &error);

// Replaces the file (what it links to, if it is a symbolic link) with the values, through a
// temporary file beside it, so that it holds either its old contents or all the new ones.
// false, with the reason in error, when that cannot be done.
bool writeArrayFile(const std::string &path, const std::vector<int16_t> &values,
                    std::string &error);
