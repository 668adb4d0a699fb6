// Case folding of the ASCII letters alone, whatever the process locale: names, keywords and
// registry keys match this way, and a locale's rules (a dotless i) never change what matches.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// 'A' to 'Z' become 'a' to 'z'; every other code unit, non-ASCII ones included, is kept.
template <typename Char> constexpr Char asciiLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

inline std::string asciiLowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), asciiLower<char>);
    return result;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// A UTF-16 name against an ASCII one. A non-ASCII unit on either side never matches, so that
// a UTF-8 byte is not mistaken for the UTF-16 letter of the same number.
constexpr bool equalsIgnoringAsciiCase(std::u16string_view a, std::string_view ascii) {
    return std::equal(a.begin(), a.end(), ascii.begin(), ascii.end(), [](char16_t x, char y) {
        const auto narrow = static_cast<unsigned char>(y);
        return x < 0x80 && narrow < 0x80 && asciiLower(x) == asciiLower(char16_t{narrow});
    });
}
