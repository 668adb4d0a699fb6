// IDispatch: late-bound calls by name and dispatch identifier.
#pragma once

#include "com/unknown.h"
#include "com/variant.h"

#include <cstdint>

struct ITypeInfo;

using DISPID = int32_t;
using MEMBERID = DISPID;
using LCID = uint32_t;

inline constexpr LCID LOCALE_NEUTRAL = 0;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr MEMBERID MEMBERID_NIL = DISPID_UNKNOWN;

inline constexpr uint16_t DISPATCH_METHOD = 1;
inline constexpr uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr uint16_t DISPATCH_PROPERTYPUTREF = 8;

// Arguments of one call. rgvarg holds them in REVERSE order, as on the platform: the last
// parameter is rgvarg[0], the first is rgvarg[cArgs - 1]. Named arguments come first.
struct DISPPARAMS {
    VARIANTARG *rgvarg;
    DISPID *rgdispidNamedArgs;
    uint32_t cArgs;
    uint32_t cNamedArgs;
};

// Filled by Invoke when it returns DISP_E_EXCEPTION. The caller frees the strings.
struct EXCEPINFO {
    uint16_t wCode;
    uint16_t wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    uint32_t dwHelpContext;
    void *pvReserved;
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO *);
    HRESULT scode;
};

extern const IID IID_IDispatch;
// riid of GetIDsOfNames and Invoke: the only value callers may pass.
extern const IID IID_NULL;

struct IDispatch : IUnknown {
    virtual HRESULT GetTypeInfoCount(uint32_t *pctinfo) = 0;
    virtual HRESULT GetTypeInfo(uint32_t iTInfo, LCID lcid, ITypeInfo **ppTInfo) = 0;
    // Names are matched without regard to case. names[0] is the member; further names are its
    // parameters, whose identifiers are their zero-based positions. Unknown names give
    // DISP_E_UNKNOWNNAME with DISPID_UNKNOWN in their slots.
    virtual HRESULT GetIDsOfNames(REFIID riid, const OLECHAR *const *names, uint32_t cNames,
                                  LCID lcid, DISPID *rgDispId) = 0;
    // puArgErr receives the index (into rgvarg) of an argument that could not be converted.
    virtual HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, uint16_t wFlags,
                           DISPPARAMS *pDispParams, VARIANT *pVarResult, EXCEPINFO *pExcepInfo,
                           uint32_t *puArgErr) = 0;
};
template <> struct InterfaceTraits<IDispatch> : InterfaceDescription<IUnknown, IID_IDispatch> {};
