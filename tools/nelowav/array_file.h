// Short arrays exchanged through files of little-endian 16-bit values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The file's values, or nullopt with the reason in error (unreadable, odd size).
std::optional<std::vector<int16_t>> readArrayFile(const std::string &path, std::string &error);

// false, with the reason in error, when the file cannot be written completely.
bool writeArrayFile(const std::string &path, const std::vector<int16_t> &values,
                    std::string &error);
