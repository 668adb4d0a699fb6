// Reading and writing little-endian 16-bit arrays.
#include "array_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

std::optional<std::vector<int16_t>> readArrayFile(const std::string &path, std::string &error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                           std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    if (bytes.size() % 2 != 0) {
        error = path + " holds an odd number of bytes, not 16-bit values";
        return std::nullopt;
    }
    std::vector<int16_t> values(bytes.size() / 2);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] =
            static_cast<int16_t>(static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8));
    return values;
}

bool writeArrayFile(const std::string &path, const std::vector<int16_t> &values,
                    std::string &error) {
    std::vector<char> bytes(values.size() * 2);
    for (size_t i = 0; i < values.size(); ++i) {
        const auto value = static_cast<uint16_t>(values[i]);
        bytes[2 * i] = static_cast<char>(value & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(value >> 8);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file)
        file.close();
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
