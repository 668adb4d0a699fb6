// Life cycle of variants: initialisation, clearing, copying, and the owning Variant holder.
#include "com/variant.h"

#include "com/unknown.h"

#include <cstring>
#include <utility>

namespace {
bool isKnownBaseType(VARTYPE base) {
    switch (base) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
        return true;
    default:
        return false;
    }
}

bool isKnownType(VARTYPE vt) {
    if ((vt & VT_BYREF) == 0)
        return isKnownBaseType(vt);
    const auto base = static_cast<VARTYPE>(vt & ~VT_BYREF);
    return base == VT_VARIANT || (base != VT_EMPTY && base != VT_NULL && isKnownBaseType(base));
}

// Reads the value a by-reference variant points to, without taking ownership.
HRESULT dereference(const VARIANT &src, VARIANT &value) {
    if (!src.byref)
        return E_INVALIDARG;
    VariantInit(&value);
    const auto base = static_cast<VARTYPE>(src.vt & ~VT_BYREF);
    value.vt = base;
    switch (base) {
    case VT_I2:
        value.iVal = *src.piVal;
        break;
    case VT_I4:
        value.lVal = *src.plVal;
        break;
    case VT_R4:
        value.fltVal = *src.pfltVal;
        break;
    case VT_R8:
        value.dblVal = *src.pdblVal;
        break;
    case VT_BOOL:
        value.boolVal = *src.pboolVal;
        break;
    case VT_ERROR:
        value.scode = *static_cast<HRESULT *>(src.byref);
        break;
    case VT_BSTR:
        value.bstrVal = *src.pbstrVal;
        break;
    case VT_UNKNOWN:
        value.punkVal = *src.ppunkVal;
        break;
    case VT_DISPATCH:
        value.pdispVal = *src.ppdispVal;
        break;
    case VT_VARIANT:
        value = *src.pvarVal;
        break;
    default:
        return DISP_E_BADVARTYPE;
    }
    return S_OK;
}
} // namespace

void VariantInit(VARIANT *v) {
    std::memset(v, 0, sizeof *v);
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT *v) {
    if (!v)
        return E_INVALIDARG;
    if (!isKnownType(v->vt))
        return DISP_E_BADVARTYPE;
    if (v->vt == VT_BSTR)
        SysFreeString(v->bstrVal);
    else if ((v->vt == VT_UNKNOWN || v->vt == VT_DISPATCH) && v->punkVal)
        v->punkVal->Release();
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT *dest, const VARIANT *src) {
    if (!dest || !src)
        return E_INVALIDARG;
    if (dest == src)
        return S_OK;
    if (!isKnownType(src->vt))
        return DISP_E_BADVARTYPE;
    VARIANT copy = *src;
    if (src->vt == VT_BSTR && src->bstrVal) {
        copy.bstrVal = SysAllocStringLen(src->bstrVal, SysStringLen(src->bstrVal));
        if (!copy.bstrVal)
            return E_OUTOFMEMORY;
    } else if ((src->vt == VT_UNKNOWN || src->vt == VT_DISPATCH) && src->punkVal) {
        src->punkVal->AddRef();
    }
    const HRESULT cleared = VariantClear(dest);
    if (FAILED(cleared)) {
        VariantClear(&copy);
        return cleared;
    }
    *dest = copy;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT *dest, const VARIANT *src) {
    if (!dest || !src)
        return E_INVALIDARG;
    if ((src->vt & VT_BYREF) == 0)
        return VariantCopy(dest, src);
    if (!isKnownType(src->vt))
        return DISP_E_BADVARTYPE;
    VARIANT value;
    const HRESULT hr = dereference(*src, value);
    if (FAILED(hr))
        return hr;
    if (value.vt & VT_BYREF)
        return DISP_E_BADVARTYPE;
    return VariantCopy(dest, &value);
}

Variant::Variant(int16_t value)
    : Variant() {
    m_value.vt = VT_I2;
    m_value.iVal = value;
}

Variant::Variant(int32_t value)
    : Variant() {
    m_value.vt = VT_I4;
    m_value.lVal = value;
}

Variant::Variant(float value)
    : Variant() {
    m_value.vt = VT_R4;
    m_value.fltVal = value;
}

Variant::Variant(bool value)
    : Variant() {
    m_value.vt = VT_BOOL;
    m_value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::string_view utf8)
    : Variant() {
    m_value.vt = VT_BSTR;
    m_value.bstrVal = bstrFromUtf8(utf8);
}

Variant::Variant(const Variant &other)
    : Variant() {
    VariantCopy(&m_value, &other.m_value);
}

Variant::Variant(Variant &&other) noexcept
    : m_value(other.m_value) {
    VariantInit(&other.m_value);
}

Variant &Variant::operator=(Variant other) noexcept {
    std::swap(m_value, other.m_value);
    return *this;
}

Variant Variant::attach(VARIANT &src) {
    Variant result;
    result.m_value = src;
    VariantInit(&src);
    return result;
}

HRESULT Variant::changeType(VARTYPE vt, uint16_t flags) {
    return VariantChangeType(&m_value, &m_value, flags, vt);
}
