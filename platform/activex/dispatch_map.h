// Dispatch and event maps: the tables that bind dispatch identifiers to a control's member
// functions, with the parameter types taken from the members' own signatures.
//
// Supported parameter types: int16_t (VT_I2), int32_t (VT_I4), float (VT_R4), bool (VT_BOOL),
// std::string_view (VT_BSTR, received as the bytes it stands for with its zeros kept, so that a
// member can refuse a name that a zero would cut short) and int16_t * (VT_BYREF | VT_I2, the
// first element of the caller's array). Results: void, int16_t, int32_t and BSTR (a new string
// the caller owns).
#pragma once

#include "com/dispatch.h"

#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

class COleControl;

namespace dispatch_detail {

template <typename T> struct Argument;

template <> struct Argument<int16_t> {
    static constexpr VARTYPE vt = VT_I2;
    int16_t value = 0;
    void take(const VARIANT &v) { value = v.iVal; }
    int16_t get() const { return value; }
};

template <> struct Argument<int32_t> {
    static constexpr VARTYPE vt = VT_I4;
    int32_t value = 0;
    void take(const VARIANT &v) { value = v.lVal; }
    int32_t get() const { return value; }
};

template <> struct Argument<float> {
    static constexpr VARTYPE vt = VT_R4;
    float value = 0;
    void take(const VARIANT &v) { value = v.fltVal; }
    float get() const { return value; }
};

template <> struct Argument<bool> {
    static constexpr VARTYPE vt = VT_BOOL;
    bool value = false;
    void take(const VARIANT &v) { value = v.boolVal != VARIANT_FALSE; }
    bool get() const { return value; }
};

template <> struct Argument<std::string_view> {
    static constexpr VARTYPE vt = VT_BSTR;
    std::string value;
    void take(const VARIANT &v) { value = utf8FromBstr(v.bstrVal); }
    std::string_view get() const { return value; }
};

template <> struct Argument<int16_t *> {
    static constexpr VARTYPE vt = VT_BYREF | VT_I2;
    int16_t *value = nullptr;
    void take(const VARIANT &v) { value = v.piVal; }
    int16_t *get() const { return value; }
};

inline void storeResult(VARIANT *result, int16_t value) {
    result->vt = VT_I2;
    result->iVal = value;
}

inline void storeResult(VARIANT *result, int32_t value) {
    result->vt = VT_I4;
    result->lVal = value;
}

inline void storeResult(VARIANT *result, BSTR value) {
    result->vt = VT_BSTR;
    result->bstrVal = value;
}

inline void discardResult(int16_t) {
}
inline void discardResult(int32_t) {
}
inline void discardResult(BSTR value) {
    SysFreeString(value);
}

// Calls the member with arguments already converted to the parameter types by the caller;
// DISP_E_TYPEMISMATCH when they are not the types of the member's signature.
template <typename Control, typename R, typename... A, std::size_t... I>
HRESULT callMember(Control &control, R (Control::*member)(A...), std::vector<Variant> &args,
                   VARIANT *result, std::index_sequence<I...>) {
    if (args.size() != sizeof...(A))
        return DISP_E_BADPARAMCOUNT;
    std::tuple<Argument<A>...> converted;
    const bool typesMatch = ((args[I]->vt == Argument<A>::vt) && ...);
    if (!typesMatch)
        return DISP_E_TYPEMISMATCH;
    (std::get<I>(converted).take(*args[I].get()), ...);
    if constexpr (std::is_void_v<R>) {
        (control.*member)(std::get<I>(converted).get()...);
    } else {
        R value = (control.*member)(std::get<I>(converted).get()...);
        if (result != nullptr)
            storeResult(result, value);
        else
            discardResult(value);
    }
    return S_OK;
}

template <auto Member> struct MemberTraits;

template <typename Control, typename R, typename... A, R (Control::*Member)(A...)>
struct MemberTraits<Member> {
    static HRESULT invoke(COleControl &control, std::vector<Variant> &args, VARIANT *result) {
        return callMember(static_cast<Control &>(control), Member, args, result,
                          std::index_sequence_for<A...>());
    }
};

} // namespace dispatch_detail

struct AFX_DISPMAP_ENTRY {
    DISPID dispid;
    const char *name;
    HRESULT (*invoke)(COleControl &control, std::vector<Variant> &args, VARIANT *result);
};

// One dispatch-map row for a member function of a control class.
template <auto Member> constexpr AFX_DISPMAP_ENTRY DispFunction(DISPID dispid, const char *name) {
    using Traits = dispatch_detail::MemberTraits<Member>;
    return {dispid, name, &Traits::invoke};
}

using AFX_DISPMAP = std::span<const AFX_DISPMAP_ENTRY>;

// One event: its identifier, its name and the types of its parameters, in order.
struct AFX_EVENTMAP_ENTRY {
    DISPID dispid;
    const char *name;
    std::vector<VARTYPE> parameterTypes;
};

using AFX_EVENTMAP = std::span<const AFX_EVENTMAP_ENTRY>;
