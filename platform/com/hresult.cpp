// Names of status codes, for messages.
#include "com/hresult.h"

#include <cstdio>

namespace {
struct NamedCode {
    HRESULT code;
    const char *name;
};

// Where two names share a value, the first one listed wins.
constexpr NamedCode kNames[] = {
    {S_OK, "S_OK"},
    {S_FALSE, "S_FALSE"},
    {E_NOTIMPL, "E_NOTIMPL"},
    {E_NOINTERFACE, "E_NOINTERFACE"},
    {E_POINTER, "E_POINTER"},
    {E_ABORT, "E_ABORT"},
    {E_FAIL, "E_FAIL"},
    {E_UNEXPECTED, "E_UNEXPECTED"},
    {E_ACCESSDENIED, "E_ACCESSDENIED"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {E_INVALIDARG, "E_INVALIDARG"},
    {CLASS_E_NOAGGREGATION, "CLASS_E_NOAGGREGATION"},
    {CLASS_E_CLASSNOTAVAILABLE, "CLASS_E_CLASSNOTAVAILABLE"},
    {REGDB_E_READREGDB, "REGDB_E_READREGDB"},
    {REGDB_E_WRITEREGDB, "REGDB_E_WRITEREGDB"},
    {REGDB_E_KEYMISSING, "REGDB_E_KEYMISSING"},
    {REGDB_E_INVALIDVALUE, "REGDB_E_INVALIDVALUE"},
    {REGDB_E_CLASSNOTREG, "REGDB_E_CLASSNOTREG"},
    {CO_E_CLASSSTRING, "CO_E_CLASSSTRING"},
    {CO_E_DLLNOTFOUND, "CO_E_DLLNOTFOUND"},
    {CO_E_ERRORINDLL, "CO_E_ERRORINDLL"},
    {CO_E_BAD_PATH, "CO_E_BAD_PATH"},
    {RPC_E_WRONG_THREAD, "RPC_E_WRONG_THREAD"},
    {DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE"},
    {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND"},
    {DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND"},
    {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH"},
    {DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME"},
    {DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS"},
    {DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE"},
    {DISP_E_EXCEPTION, "DISP_E_EXCEPTION"},
    {DISP_E_OVERFLOW, "DISP_E_OVERFLOW"},
    {DISP_E_BADINDEX, "DISP_E_BADINDEX"},
    {DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT"},
    {DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL"},
    {TYPE_E_INVDATAREAD, "TYPE_E_INVDATAREAD"},
    {TYPE_E_UNSUPFORMAT, "TYPE_E_UNSUPFORMAT"},
    {TYPE_E_REGISTRYACCESS, "TYPE_E_REGISTRYACCESS"},
    {TYPE_E_LIBNOTREGISTERED, "TYPE_E_LIBNOTREGISTERED"},
    {TYPE_E_ELEMENTNOTFOUND, "TYPE_E_ELEMENTNOTFOUND"},
    {TYPE_E_CANTLOADLIBRARY, "TYPE_E_CANTLOADLIBRARY"},
    {SELFREG_E_TYPELIB, "SELFREG_E_TYPELIB"},
    {SELFREG_E_CLASS, "SELFREG_E_CLASS"},
    {CONNECT_E_CANNOTCONNECT, "CONNECT_E_CANNOTCONNECT"},
};
} // namespace

std::string hresultName(HRESULT hr) {
    for (const auto &entry : kNames) {
        if (entry.code == hr)
            return entry.name;
    }
    return {};
}

std::string hresultText(HRESULT hr) {
    char hex[11];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<uint32_t>(hr));
    const std::string name = hresultName(hr);
    return name.empty() ? std::string(hex) : std::string(hex) + ' ' + name;
}
