// Status codes of the object runtime, with the platform's numeric values.
#pragma once

#include <cstdint>
#include <new>
#include <string>

using HRESULT = int32_t;

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}

constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

constexpr HRESULT makeHresult(uint32_t bits) {
    return static_cast<HRESULT>(bits);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

inline constexpr HRESULT E_NOTIMPL = makeHresult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = makeHresult(0x80004002u);
inline constexpr HRESULT E_POINTER = makeHresult(0x80004003u);
inline constexpr HRESULT E_ABORT = makeHresult(0x80004004u);
inline constexpr HRESULT E_FAIL = makeHresult(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = makeHresult(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = makeHresult(0x80070005u);
inline constexpr HRESULT E_OUTOFMEMORY = makeHresult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = makeHresult(0x80070057u);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = makeHresult(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = makeHresult(0x80040111u);

inline constexpr HRESULT REGDB_E_READREGDB = makeHresult(0x80040150u);
inline constexpr HRESULT REGDB_E_WRITEREGDB = makeHresult(0x80040151u);
inline constexpr HRESULT REGDB_E_KEYMISSING = makeHresult(0x80040152u);
inline constexpr HRESULT REGDB_E_INVALIDVALUE = makeHresult(0x80040153u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = makeHresult(0x80040154u);

inline constexpr HRESULT CO_E_CLASSSTRING = makeHresult(0x800401F3u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = makeHresult(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = makeHresult(0x800401F9u);
// The platform's "bad path to object": here, a registered module path that is not absolute.
inline constexpr HRESULT CO_E_BAD_PATH = makeHresult(0x80080004u);
inline constexpr HRESULT RPC_E_WRONG_THREAD = makeHresult(0x8001010Eu);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = makeHresult(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = makeHresult(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = makeHresult(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = makeHresult(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = makeHresult(0x80020006u);
inline constexpr HRESULT DISP_E_NONAMEDARGS = makeHresult(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = makeHresult(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = makeHresult(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = makeHresult(0x8002000Au);
inline constexpr HRESULT DISP_E_BADINDEX = makeHresult(0x8002000Bu);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = makeHresult(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = makeHresult(0x8002000Fu);

inline constexpr HRESULT TYPE_E_INVDATAREAD = makeHresult(0x80028018u);
inline constexpr HRESULT TYPE_E_UNSUPFORMAT = makeHresult(0x80028019u);
inline constexpr HRESULT TYPE_E_REGISTRYACCESS = makeHresult(0x8002801Cu);
inline constexpr HRESULT TYPE_E_LIBNOTREGISTERED = makeHresult(0x8002801Du);
inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = makeHresult(0x8002802Bu);
inline constexpr HRESULT TYPE_E_CANTLOADLIBRARY = makeHresult(0x80029C4Au);

// Interface-specific codes: the same numbers mean different things for different interfaces,
// exactly as on the platform.
inline constexpr HRESULT SELFREG_E_TYPELIB = makeHresult(0x80040200u);
inline constexpr HRESULT SELFREG_E_CLASS = makeHresult(0x80040201u);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = makeHresult(0x80040200u);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = makeHresult(0x80040201u);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = makeHresult(0x80040202u);

// The symbolic name of a code above ("REGDB_E_CLASSNOTREG"), or an empty string for a code
// this runtime does not know. 0x80040200 and 0x80040201 are named after self-registration.
std::string hresultName(HRESULT hr);

// "0x80040154 REGDB_E_CLASSNOTREG", or just the hex for an unknown code: for tools' messages.
std::string hresultText(HRESULT hr);

// Runs body, which returns an HRESULT, at a boundary no exception may cross (a COM method, a
// module export): running out of memory inside it becomes E_OUTOFMEMORY.
template <typename Body> HRESULT catchOutOfMemory(Body &&body) {
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    }
}
