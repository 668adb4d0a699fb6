// Automation strings: length-prefixed UTF-16 strings allocated by this library, so that a
// string made in one module may be freed in another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

using OLECHAR = char16_t;
using BSTR = OLECHAR *;

// A null BSTR stands for the empty string everywhere, as on the platform.
// All allocators return nullptr when memory runs out or the length is too large.
BSTR SysAllocString(const OLECHAR *text);
BSTR SysAllocStringLen(const OLECHAR *text, uint32_t length); // text may be null: zero-filled
// Replaces *target with a copy of text; false (and *target untouched) when out of memory.
bool SysReAllocString(BSTR *target, const OLECHAR *text);
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);     // in characters, embedded zeros included
uint32_t SysStringByteLen(BSTR text); // in bytes

// The platform's 8-bit code page is UTF-8 here, but a file name is any string of bytes, so the
// conversions are reversible: each byte that is not part of valid UTF-8 becomes the unpaired
// low surrogate U+DC00 + byte (U+DC80 to U+DCFF) and turns back into that byte. Any other
// unpaired surrogate turns into U+FFFD.
BSTR bstrFromUtf8(std::string_view utf8);
std::string utf8FromBstr(BSTR text);
std::u16string utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::u16string_view text);

// Owns one BSTR.
class BStr {
  public:
    BStr() = default;
    explicit BStr(std::string_view utf8)
        : m_text(bstrFromUtf8(utf8)) {}
    BStr(const BStr &) = delete;
    BStr &operator=(const BStr &) = delete;
    BStr(BStr &&other) noexcept
        : m_text(std::exchange(other.m_text, nullptr)) {}
    BStr &operator=(BStr &&other) noexcept {
        std::swap(m_text, other.m_text);
        return *this;
    }
    ~BStr() { SysFreeString(m_text); }

    static BStr attach(BSTR text) {
        BStr result;
        result.m_text = text;
        return result;
    }
    [[nodiscard]] BSTR detach() { return std::exchange(m_text, nullptr); }
    BSTR *put() {
        SysFreeString(std::exchange(m_text, nullptr));
        return &m_text;
    }

    BSTR get() const { return m_text; }
    uint32_t length() const { return SysStringLen(m_text); }
    std::string utf8() const { return utf8FromBstr(m_text); }

  private:
    BSTR m_text = nullptr;
};
