// Exports of the test module: its class factory and its self-registration.
#include "com/com_object.h"
#include "com/creation.h"
#include "com/registry.h"
#include "com/registry_transaction.h"
#include "test_counter.h"
#include "test_module_ids.h"

namespace {
class CounterFactory final : public ComInterfaces<IClassFactory> {
  public:
    // The factory is a static object: its references keep the module, not itself, alive.
    uint32_t AddRef() override { return static_cast<uint32_t>(++g_serverLocks); }
    uint32_t Release() override { return static_cast<uint32_t>(--g_serverLocks); }

    HRESULT CreateInstance(IUnknown *outer, REFIID riid, void **ppvObject) override {
        if (!ppvObject)
            return E_POINTER;
        *ppvObject = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return TestCounter::create(riid, ppvObject);
    }
    HRESULT LockServer(bool lock) override {
        lock ? ++g_serverLocks : --g_serverLocks;
        return S_OK;
    }
};

CounterFactory g_factory;

std::string ownPath() {
    return moduleFileName(reinterpret_cast<const void *>(&KorvaneTypeLibrary));
}

HRESULT registerClass(RegistryTree &tree, const std::string &path) {
    const std::string clsidKey = "CLSID\\" + guidToString(kTestClassId);
    const std::string progIdKey = kTestProgId;
    const HRESULT results[] = {
        tree.setValue(clsidKey, "", "Korvane test counter"),
        tree.setValue(clsidKey + "\\InprocServer32", "", path),
        tree.setValue(clsidKey + "\\ProgID", "", kTestProgId),
        tree.setValue(clsidKey + "\\TypeLib", "", guidToString(kTestLibraryId)),
        tree.setValue(progIdKey, "", "Korvane test counter"),
        tree.setValue(progIdKey + "\\CLSID", "", guidToString(kTestClassId)),
    };
    for (const HRESULT hr : results) {
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}
} // namespace

// One registry transaction each, as a real server's are.
extern "C" HRESULT DllRegisterServer() try {
    const std::string path = ownPath();
    return runRegistryTransaction(SELFREG_E_TYPELIB, [&](RegistryTransaction &) {
        ComPtr<ITypeLib> library;
        if (FAILED(LoadTypeLibFromText(KorvaneTypeLibrary(), library.put())) ||
            FAILED(RegisterTypeLib(library.get(), path.c_str(), nullptr)))
            return SELFREG_E_TYPELIB;
        if (FAILED(Registry::update([&](RegistryTree &tree) { return registerClass(tree, path); })))
            return SELFREG_E_CLASS;
        return S_OK;
    });
} catch (...) {
    return E_OUTOFMEMORY;
}

extern "C" HRESULT DllUnregisterServer() try {
    return runRegistryTransaction(SELFREG_E_TYPELIB, [](RegistryTransaction &transaction) {
        const bool libraryRemoved =
            SUCCEEDED(UnRegisterTypeLib(kTestLibraryId, 1, 0, 0, SYS_LINUX));
        const HRESULT hr = Registry::update([](RegistryTree &tree) {
            tree.deleteTree("CLSID\\" + guidToString(kTestClassId));
            tree.deleteTree(kTestProgId);
            return S_OK;
        });
        if (FAILED(hr))
            return SELFREG_E_CLASS;
        return libraryRemoved || transaction.changed() ? S_OK : SELFREG_E_TYPELIB;
    });
} catch (...) {
    return E_OUTOFMEMORY;
}

extern "C" HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void **ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != kTestClassId)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT DllCanUnloadNow() {
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}
