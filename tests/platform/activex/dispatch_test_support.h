// Calling a dispatch interface the way a late-binding host does.
#pragma once

#include "com/dispatch.h"

#include <vector>

// Invokes dispid as a method with args given in their natural order (reversed for the call).
inline HRESULT invokeMethod(IDispatch *target, DISPID dispid, std::vector<VARIANT> args,
                            VARIANT *result = nullptr, uint32_t *argErr = nullptr,
                            uint16_t flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
    return target->Invoke(dispid, IID_NULL, 0, flags, &params, result, nullptr, argErr);
}

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

inline VARIANT variantByRefI2(int16_t *value) {
    VARIANT v{};
    v.vt = VT_BYREF | VT_I2;
    v.piVal = value;
    return v;
}
