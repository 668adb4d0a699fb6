// VariantChangeType: the platform's coercions among the automation types the control uses.
// Every number passes through a double, which holds every 16- and 32-bit integer and every
// float exactly.
#include "base/ascii_case.h"
#include "com/dispatch.h"
#include "com/variant.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {
bool isNumeric(VARTYPE vt) {
    return vt == VT_EMPTY || vt == VT_I2 || vt == VT_I4 || vt == VT_R4 || vt == VT_R8 ||
           vt == VT_BOOL;
}

double numberOf(const VARIANT &v) {
    switch (v.vt) {
    case VT_I2:
        return v.iVal;
    case VT_I4:
        return v.lVal;
    case VT_R4:
        return static_cast<double>(v.fltVal);
    case VT_R8:
        return v.dblVal;
    case VT_BOOL:
        return v.boolVal;
    default:
        return 0.0;
    }
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

HRESULT parseNumber(std::string_view text, double &number) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return DISP_E_TYPEMISMATCH;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc::result_out_of_range)
        return DISP_E_OVERFLOW;
    if (error != std::errc() || end != text.data() + text.size())
        return DISP_E_TYPEMISMATCH;
    return S_OK;
}

HRESULT toInteger(double number, double lowest, double highest, int32_t &result) {
    // The platform rounds half to even; nearbyint does so in the default rounding mode.
    const double rounded = std::nearbyint(number);
    if (std::isnan(rounded) || rounded < lowest || rounded > highest)
        return DISP_E_OVERFLOW;
    result = static_cast<int32_t>(rounded);
    return S_OK;
}

HRESULT numberToVariant(double number, VARTYPE vt, VARIANT &out) {
    int32_t integer = 0;
    HRESULT hr = S_OK;
    out.vt = vt;
    switch (vt) {
    case VT_I2:
        hr = toInteger(number, -32768.0, 32767.0, integer);
        out.iVal = static_cast<int16_t>(integer);
        return hr;
    case VT_I4:
        hr = toInteger(number, -2147483648.0, 2147483647.0, integer);
        out.lVal = integer;
        return hr;
    case VT_R4:
        if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max())
            return DISP_E_OVERFLOW;
        out.fltVal = static_cast<float>(number);
        return S_OK;
    case VT_R8:
        out.dblVal = number;
        return S_OK;
    case VT_BOOL:
        out.boolVal = number != 0.0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    default:
        return DISP_E_BADVARTYPE;
    }
}

template <typename T> std::string formatNumber(T value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    for (char &c : text) {
        if (c == 'e')
            c = 'E';
    }
    return text;
}

std::string numberText(const VARIANT &v, uint16_t flags) {
    switch (v.vt) {
    case VT_I2:
        return formatNumber(v.iVal);
    case VT_I4:
        return formatNumber(v.lVal);
    case VT_R4:
        return formatNumber(v.fltVal);
    case VT_R8:
        return formatNumber(v.dblVal);
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL)
            return v.boolVal ? "True" : "False";
        return v.boolVal ? "-1" : "0";
    default:
        return {};
    }
}

HRESULT textToVariant(BSTR text, VARTYPE vt, VARIANT &out) {
    const std::string utf8 = utf8FromBstr(text);
    if (vt == VT_BOOL) {
        const std::string_view word = trimmed(utf8);
        if (equalsIgnoringAsciiCase(word, "true") || equalsIgnoringAsciiCase(word, "false")) {
            out.vt = VT_BOOL;
            out.boolVal = equalsIgnoringAsciiCase(word, "true") ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    double number = 0.0;
    const HRESULT hr = parseNumber(utf8, number);
    return FAILED(hr) ? hr : numberToVariant(number, vt, out);
}

HRESULT interfaceToVariant(const VARIANT &value, VARTYPE vt, VARIANT &out) {
    out.vt = vt;
    out.punkVal = nullptr;
    if (!value.punkVal)
        return S_OK;
    const IID &iid = vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown;
    void *result = nullptr;
    if (FAILED(value.punkVal->QueryInterface(iid, &result)))
        return DISP_E_TYPEMISMATCH;
    out.byref = result;
    return S_OK;
}

// Converts an owned, non-reference value; out is filled only on success.
HRESULT convert(const VARIANT &value, uint16_t flags, VARTYPE vt, VARIANT &out) {
    VariantInit(&out);
    if (vt == VT_EMPTY)
        return S_OK;
    if (value.vt == vt)
        return VariantCopy(&out, &value);
    const bool wantsInterface = vt == VT_DISPATCH || vt == VT_UNKNOWN;
    const bool hasInterface = value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
    if (wantsInterface || hasInterface) {
        if (wantsInterface && hasInterface)
            return interfaceToVariant(value, vt, out);
        return DISP_E_TYPEMISMATCH;
    }
    if (vt == VT_BSTR) {
        if (!isNumeric(value.vt))
            return DISP_E_TYPEMISMATCH;
        out.vt = VT_BSTR;
        out.bstrVal = bstrFromUtf8(numberText(value, flags));
        return out.bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    if (value.vt == VT_BSTR)
        return textToVariant(value.bstrVal, vt, out);
    if (isNumeric(value.vt))
        return numberToVariant(numberOf(value), vt, out);
    return DISP_E_TYPEMISMATCH;
}

bool isTargetType(VARTYPE vt) {
    return isNumeric(vt) || vt == VT_BSTR || vt == VT_DISPATCH || vt == VT_UNKNOWN;
}
} // namespace

HRESULT VariantChangeType(VARIANT *dest, const VARIANT *src, uint16_t flags, VARTYPE vt) {
    if (!dest || !src)
        return E_INVALIDARG;
    if (!isTargetType(vt))
        return DISP_E_BADVARTYPE;
    return catchOutOfMemory([&]() -> HRESULT {
        Variant value;
        HRESULT hr = VariantCopyInd(value.get(), src);
        if (FAILED(hr))
            return hr;
        VARIANT result;
        hr = convert(*value.get(), flags, vt, result);
        if (FAILED(hr)) {
            VariantClear(&result);
            return hr;
        }
        VariantClear(dest);
        *dest = result;
        return S_OK;
    });
}
