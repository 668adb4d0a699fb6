// Percent-encoding of file names for media command strings.
#include "base/short_path_codec.h"

#include "base/hex_digit.h"
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool needsEscape(unsigned char byte) {
    return byte <= ' ' || byte == '"' || byte == '%' || byte == 0x7F;
}

} // namespace

std::string encodeShortPath(std::string_view path) {
    std::string encoded = path.starts_with('/') ? "" : "./";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (needsEscape(byte)) {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::optional<std::string> decodeShortPath(std::string_view shortPath) {
    std::string decoded;
    decoded.reserve(shortPath.size());
    for (std::size_t i = 0; i < shortPath.size(); ++i) {
        if (shortPath[i] != '%') {
            decoded += shortPath[i];
            continue;
        }
        if (i + 2 >= shortPath.size())
            return std::nullopt;
        const int high = hexDigitValue(shortPath[i + 1]);
        const int low = hexDigitValue(shortPath[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}
