// Placeholder until type libraries land.
#include "com/type_info.h"

const IID IID_ITypeLib = makeGuid("{00020402-0000-0000-C000-000000000046}");
const IID IID_ITypeInfo = makeGuid("{00020401-0000-0000-C000-000000000046}");

HRESULT LoadTypeLibFromText(std::string_view, ITypeLib **, std::string *) { return E_NOTIMPL; }
HRESULT LoadTypeLib(const char *, ITypeLib **) { return E_NOTIMPL; }
HRESULT RegisterTypeLib(ITypeLib *, const char *, const char *) { return E_NOTIMPL; }
HRESULT UnRegisterTypeLib(REFGUID, uint16_t, uint16_t, LCID, SYSKIND) { return E_NOTIMPL; }
HRESULT LoadRegTypeLib(REFGUID, uint16_t, uint16_t, LCID, ITypeLib **) { return E_NOTIMPL; }
