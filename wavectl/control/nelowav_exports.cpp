// The module's four exports: self-registration and class objects.
#include "activex/ole_object_factory.h"
#include "activex/ole_registration.h"
#include "nelowav_ids.h"

STDAPI DllRegisterServer() {
    return catchOutOfMemory([] {
        const AfxModuleStateGuard state;
        if (!state.started())
            return E_UNEXPECTED;
        if (AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_NelowavLib) == 0)
            return SELFREG_E_TYPELIB;
        if (COleObjectFactory::UpdateRegistryAll(1) == 0)
            return SELFREG_E_CLASS;
        return S_OK;
    });
}

STDAPI DllUnregisterServer() {
    return catchOutOfMemory([] {
        const AfxModuleStateGuard state;
        if (!state.started())
            return E_UNEXPECTED;
        if (AfxOleUnregisterTypeLib(LIBID_NelowavLib, 0, 0, 0) == 0)
            return SELFREG_E_TYPELIB;
        if (COleObjectFactory::UpdateRegistryAll(0) == 0)
            return SELFREG_E_CLASS;
        return S_OK;
    });
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv) {
    const AfxModuleStateGuard state;
    if (!state.started()) {
        if (ppv != nullptr)
            *ppv = nullptr;
        return E_UNEXPECTED;
    }
    return AfxDllGetClassObject(rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow() {
    const AfxModuleStateGuard state;
    return AfxDllCanUnloadNow();
}
