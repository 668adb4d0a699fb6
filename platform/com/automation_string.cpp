// Automation strings. Each one is a 32-bit byte count followed by the characters and a
// terminating zero; the BSTR points at the first character.
#include "com/automation_string.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {
constexpr uint32_t kMaxLength = (std::numeric_limits<uint32_t>::max() - 8) / 2;
constexpr char32_t kReplacement = 0xFFFD;
// A byte that is not part of valid UTF-8 travels as the low surrogate U+DC00 + byte, which no
// valid UTF-8 decodes to, so every byte string comes back unchanged (Python calls this
// "surrogateescape"). Only bytes 0x80 to 0xFF can be malformed.
constexpr char32_t kEscapedByteBase = 0xDC00;
constexpr char32_t kFirstEscapedByte = 0xDC80;
constexpr char32_t kLastEscapedByte = 0xDCFF;

uint32_t *prefixOf(BSTR text) {
    return reinterpret_cast<uint32_t *>(reinterpret_cast<char *>(text) - sizeof(uint32_t));
}

uint32_t lengthOf(const OLECHAR *text) {
    uint32_t length = 0;
    while (text[length] != 0 && length < kMaxLength)
        ++length;
    return length;
}

void appendUtf16(std::u16string &out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void appendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one code point at text[at], advancing at; malformed input (stray continuation,
// truncated or overlong sequence, surrogate, beyond U+10FFFF) consumes one byte and gives
// that byte's escape.
char32_t decodeUtf8(std::string_view text, size_t &at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    const char32_t escaped = kEscapedByteBase + lead;
    struct Form {
        unsigned char mask, pattern, payload;
        size_t extra;
        char32_t minimum;
    };
    static constexpr Form kForms[] = {
        {0xE0, 0xC0, 0x1F, 1, 0x80}, {0xF0, 0xE0, 0x0F, 2, 0x800}, {0xF8, 0xF0, 0x07, 3, 0x10000}};
    const Form *form = nullptr;
    for (const Form &candidate : kForms) {
        if ((lead & candidate.mask) == candidate.pattern)
            form = &candidate;
    }
    if (!form)
        return escaped;
    const size_t extra = form->extra;
    const char32_t minimum = form->minimum;
    char32_t c = lead & form->payload;
    if (text.size() - at < extra)
        return escaped;
    for (size_t i = 0; i < extra; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return escaped;
        c = (c << 6) | (next & 0x3Fu);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return escaped;
    at += extra;
    return c;
}
} // namespace

BSTR SysAllocStringLen(const OLECHAR *text, uint32_t length) {
    if (length > kMaxLength)
        return nullptr;
    const uint32_t bytes = length * 2;
    auto *block = static_cast<char *>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    std::memcpy(block, &bytes, sizeof bytes);
    auto *result = reinterpret_cast<BSTR>(block + sizeof(uint32_t));
    if (text)
        std::memcpy(result, text, bytes);
    else
        std::memset(result, 0, bytes);
    result[length] = 0;
    return result;
}

BSTR SysAllocString(const OLECHAR *text) {
    return text ? SysAllocStringLen(text, lengthOf(text)) : nullptr;
}

bool SysReAllocString(BSTR *target, const OLECHAR *text) {
    if (!target)
        return false;
    BSTR copy = SysAllocString(text);
    if (text && !copy)
        return false;
    SysFreeString(*target);
    *target = copy;
    return true;
}

void SysFreeString(BSTR text) {
    if (text)
        std::free(prefixOf(text));
}

uint32_t SysStringByteLen(BSTR text) {
    return text ? *prefixOf(text) : 0;
}

uint32_t SysStringLen(BSTR text) {
    return SysStringByteLen(text) / 2;
}

std::u16string utf16FromUtf8(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();)
        appendUtf16(out, decodeUtf8(utf8, at));
    return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (c >= kFirstEscapedByte && c <= kLastEscapedByte) {
            out.push_back(static_cast<char>(c - kEscapedByteBase));
            continue;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        appendUtf8(out, c);
    }
    return out;
}

BSTR bstrFromUtf8(std::string_view utf8) {
    try {
        const std::u16string wide = utf16FromUtf8(utf8);
        if (wide.size() > kMaxLength)
            return nullptr;
        return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

std::string utf8FromBstr(BSTR text) {
    return utf8FromUtf16(std::u16string_view(text, SysStringLen(text)));
}
