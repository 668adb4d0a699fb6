// VARIANT, the tagged value that carries automation arguments and results, and the
// platform's coercions between the types the control uses.
#pragma once

#include "com/automation_string.h"
#include "com/hresult.h"

#include <cstdint>

struct IUnknown;
struct IDispatch;

using VARTYPE = uint16_t;

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_VOID = 24,
    VT_HRESULT = 25,
    VT_BYREF = 0x4000,
    VT_TYPEMASK = 0x0FFF,
};

using VARIANT_BOOL = int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// Flags of VariantChangeType.
inline constexpr uint16_t VARIANT_NOVALUEPROP = 0x01;
// Boolean to string gives "True"/"False" instead of "-1"/"0".
inline constexpr uint16_t VARIANT_ALPHABOOL = 0x02;

struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        int16_t iVal;
        int32_t lVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        BSTR bstrVal;
        IUnknown *punkVal;
        IDispatch *pdispVal;
        int16_t *piVal;
        int32_t *plVal;
        float *pfltVal;
        double *pdblVal;
        VARIANT_BOOL *pboolVal;
        BSTR *pbstrVal;
        IUnknown **ppunkVal;
        IDispatch **ppdispVal;
        VARIANT *pvarVal;
        void *byref;
    };
};
using VARIANTARG = VARIANT;

void VariantInit(VARIANT *v);
// Frees what v owns (string, interface reference; never what a by-reference value points
// to) and leaves it VT_EMPTY. DISP_E_BADVARTYPE for a type this runtime does not know.
HRESULT VariantClear(VARIANT *v);
// Deep copy: strings are duplicated, interfaces AddRef'ed; by-reference values copy the pointer.
HRESULT VariantCopy(VARIANT *dest, const VARIANT *src);
// Copy that follows one level of VT_BYREF, so dest holds the value itself.
HRESULT VariantCopyInd(VARIANT *dest, const VARIANT *src);

// Converts src to type vt into dest (dest may be src). Among VT_EMPTY, VT_I2, VT_I4, VT_R4,
// VT_R8, VT_BOOL and VT_BSTR, with a by-reference source followed first:
//  - numbers out of the target's range give DISP_E_OVERFLOW; floats round half to even;
//  - text is parsed as a number in C notation with surrounding blanks allowed, or, for
//    VT_BOOL, as "True"/"False" in any case; anything else gives DISP_E_TYPEMISMATCH;
//  - VT_BOOL is VARIANT_TRUE (-1) or VARIANT_FALSE; a non-zero number converts to true;
//  - VT_DISPATCH and VT_UNKNOWN convert into each other through QueryInterface.
// On failure dest is left as it was.
HRESULT VariantChangeType(VARIANT *dest, const VARIANT *src, uint16_t flags, VARTYPE vt);

// Owns one VARIANT: cleared on destruction, deep-copied on copy.
class Variant {
  public:
    Variant() { VariantInit(&m_value); }
    explicit Variant(int16_t value);
    explicit Variant(int32_t value);
    explicit Variant(float value);
    explicit Variant(bool value);
    explicit Variant(std::string_view utf8); // a VT_BSTR
    // Without it a string literal would pick the bool constructor (a standard conversion).
    explicit Variant(const char *utf8)
        : Variant(std::string_view(utf8)) {}
    Variant(const Variant &other);
    Variant(Variant &&other) noexcept;
    Variant &operator=(Variant other) noexcept;
    ~Variant() { VariantClear(&m_value); }

    // Takes over src's contents and leaves src VT_EMPTY.
    static Variant attach(VARIANT &src);

    VARIANT *get() { return &m_value; }
    const VARIANT *get() const { return &m_value; }
    VARIANT *operator->() { return &m_value; }
    const VARIANT *operator->() const { return &m_value; }
    VARTYPE type() const { return m_value.vt; }

    // Converts in place; on failure the value is unchanged.
    HRESULT changeType(VARTYPE vt, uint16_t flags = 0);

  private:
    VARIANT m_value;
};
