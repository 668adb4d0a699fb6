// Globally unique identifiers: the 128-bit names of classes, interfaces and type libraries.
#pragma once

#include "base/hex_digit.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];

    constexpr bool operator==(const GUID &) const = default;
    constexpr auto operator<=>(const GUID &) const = default;
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID &;
using REFIID = const IID &;
using REFCLSID = const CLSID &;

inline constexpr GUID GUID_NULL{};

namespace guid_detail {

constexpr std::optional<uint32_t> hexField(std::string_view text, size_t at, size_t digits) {
    uint32_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int digit = hexDigitValue(text[at + i]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16u + static_cast<uint32_t>(digit);
    }
    return value;
}
} // namespace guid_detail

// Accepts exactly the registry form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", hex digits of
// either case; anything else (missing braces, wrong group lengths, stray spaces) is refused.
constexpr std::optional<GUID> guidFromString(std::string_view text) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    const auto d1 = guid_detail::hexField(text, 1, 8);
    const auto d2 = guid_detail::hexField(text, 10, 4);
    const auto d3 = guid_detail::hexField(text, 15, 4);
    if (!d1 || !d2 || !d3)
        return std::nullopt;
    GUID guid{*d1, static_cast<uint16_t>(*d2), static_cast<uint16_t>(*d3), {}};
    constexpr size_t byteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) {
        const auto byte = guid_detail::hexField(text, byteAt[i], 2);
        if (!byte)
            return std::nullopt;
        guid.Data4[i] = static_cast<uint8_t>(*byte);
    }
    return guid;
}

// For fixed identifiers written in the source: a malformed text fails to compile.
consteval GUID makeGuid(std::string_view text) {
    return guidFromString(text).value();
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hex, as the registry stores it.
std::string guidToString(const GUID &guid);
