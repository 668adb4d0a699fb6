// Arguments for calls through IDispatch, built as a host builds them.
#pragma once

#include "com/variant.h"

#include <cstdint>

inline VARIANT variantI2(int16_t value) {
    VARIANT v{};
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

inline VARIANT variantI4(int32_t value) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

inline VARIANT variantBool(bool value) {
    VARIANT v{};
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

inline VARIANT variantR4(float value) {
    VARIANT v{};
    v.vt = VT_R4;
    v.fltVal = value;
    return v;
}

// A short array passed by reference, as hosts pass the sample arrays.
inline VARIANT variantShortArray(int16_t *elements) {
    VARIANT v{};
    v.vt = VT_BYREF | VT_I2;
    v.piVal = elements;
    return v;
}
