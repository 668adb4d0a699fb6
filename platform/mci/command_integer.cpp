// Reading a command integer. A value past 32 bits is refused as malformed rather than out of
// range: the platform's integers are 32-bit, so such text names no integer at all.
#include "mci/command_integer.h"

#include <optional>

namespace {

constexpr std::size_t kMaxByteFields = 4;
constexpr uint64_t kMaxFieldValue = 255;
constexpr uint64_t kMaxValue = UINT32_MAX;

// Decimal digits only; an empty text is 0 (an empty byte field counts 0).
std::optional<uint64_t> decimalAtMost(std::string_view digits, uint64_t limit) {
    uint64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

DeviceResult<uint32_t> parseCommandInteger(std::string_view text) {
    if (text.empty())
        return DeviceFault::BadInteger;
    if (text.find(':') == std::string_view::npos) {
        const auto value = decimalAtMost(text, kMaxValue);
        if (!value)
            return DeviceFault::BadInteger;
        return static_cast<uint32_t>(*value);
    }
    uint64_t value = 0;
    std::size_t field = 0;
    while (true) {
        if (field == kMaxByteFields)
            return DeviceFault::BadInteger;
        const std::size_t colon = text.find(':');
        const auto byte = decimalAtMost(text.substr(0, colon), kMaxFieldValue);
        if (!byte)
            return DeviceFault::BadInteger;
        value |= *byte << (8 * field);
        ++field;
        if (colon == std::string_view::npos)
            return static_cast<uint32_t>(value);
        text.remove_prefix(colon + 1);
    }
}
