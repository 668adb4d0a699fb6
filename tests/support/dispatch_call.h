// Calling a dispatch interface the way a late-binding host does.
#pragma once

#include "com/dispatch.h"

#include <cstdint>
#include <vector>

// Invokes dispid with args given in their natural order (a host passes them reversed).
inline HRESULT invokeMethod(IDispatch *target, DISPID dispid, std::vector<VARIANT> args,
                            VARIANT *result = nullptr, uint32_t *argErr = nullptr,
                            uint16_t flags = DISPATCH_METHOD) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<uint32_t>(reversed.size()), 0};
    return target->Invoke(dispid, IID_NULL, 0, flags, &params, result, nullptr, argErr);
}
