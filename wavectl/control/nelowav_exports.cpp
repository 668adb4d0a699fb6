// The module's four exports: self-registration and class objects.
#include "activex/ole_object_factory.h"
#include "activex/ole_registration.h"
#include "com/registry_transaction.h"
#include "interface/nelowav_ids.h"

// Each runs as one registry transaction, so that a crash, a full disk or a registration racing
// an unregistration never leaves the type library without its classes or the other way round.
STDAPI DllRegisterServer() {
    return catchOutOfMemory([] {
        const AfxModuleStateGuard state;
        if (!state.started())
            return E_UNEXPECTED;
        return runRegistryTransaction(SELFREG_E_TYPELIB, [](RegistryTransaction &) {
            if (AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_NelowavLib) == 0)
                return SELFREG_E_TYPELIB;
            if (COleObjectFactory::UpdateRegistryAll(1) == 0)
                return SELFREG_E_CLASS;
            return S_OK;
        });
    });
}

STDAPI DllUnregisterServer() {
    return catchOutOfMemory([] {
        const AfxModuleStateGuard state;
        if (!state.started())
            return E_UNEXPECTED;
        return runRegistryTransaction(SELFREG_E_TYPELIB, [](RegistryTransaction &transaction) {
            const bool libraryRemoved = AfxOleUnregisterTypeLib(LIBID_NelowavLib, 0, 0, 0) != 0;
            if (COleObjectFactory::UpdateRegistryAll(0) == 0)
                return SELFREG_E_CLASS;
            // A library whose keys are already gone must not keep the classes registered for
            // good: its absence is a failure only when there was nothing at all to remove.
            const bool libraryLeft =
                transaction.tree().hasKey("TypeLib\\" + guidToString(LIBID_NelowavLib));
            if (!libraryRemoved && (libraryLeft || !transaction.changed()))
                return SELFREG_E_TYPELIB;
            return S_OK;
        });
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
