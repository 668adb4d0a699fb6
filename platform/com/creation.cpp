// Placeholder until creation lands.
#include "com/creation.h"

HRESULT CoInitialize(void *) { return S_OK; }
void CoUninitialize() {}
HRESULT CLSIDFromProgID(const char *, CLSID *) { return E_NOTIMPL; }
HRESULT CLSIDFromString(const char *, CLSID *) { return E_NOTIMPL; }
HRESULT ProgIDFromCLSID(REFCLSID, std::string &) { return E_NOTIMPL; }
HRESULT CoGetClassObject(REFCLSID, uint32_t, void *, REFIID, void **) { return E_NOTIMPL; }
HRESULT CoCreateInstance(REFCLSID, IUnknown *, uint32_t, REFIID, void **) { return E_NOTIMPL; }
void CoFreeUnusedLibraries() {}
std::string moduleFileName(const void *) { return {}; }
