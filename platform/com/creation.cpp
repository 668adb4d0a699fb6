// Creation of objects by CLSID or ProgID through the registry and the modules it names.
#include "com/creation.h"

#include "com/error_detail.h"
#include "com/registry.h"
#include "module_loader.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <new>

namespace {
// Modules loaded for creation, by registered path. Never destroyed: unloading code at process
// exit, while objects of it may still be alive, would only trade a leak for a crash.
struct ModuleTable {
    std::recursive_mutex mutex;
    std::map<std::string, LoadedModule> modules;
};

ModuleTable &moduleTable() {
    static auto *table = new ModuleTable;
    return *table;
}

HRESULT registeredServer(const CLSID &clsid, std::string &path) {
    RegistryTree tree;
    if (FAILED(Registry::read(tree)))
        return REGDB_E_READREGDB;
    const std::string key = "CLSID\\" + guidToString(clsid) + "\\InprocServer32";
    auto found = tree.value(key);
    if (!found || found->empty()) {
        setLastErrorDetail("no module named at " + key + " in " + Registry::path());
        return REGDB_E_CLASSNOTREG;
    }
    path = std::move(*found);
    return S_OK;
}

HRESULT classObjectEntry(const std::string &path, DllGetClassObjectFunc &entry) {
    ModuleTable &table = moduleTable();
    auto found = table.modules.find(path);
    if (found == table.modules.end()) {
        LoadedModule module;
        const HRESULT hr = openModule(module, path);
        if (FAILED(hr))
            return hr;
        found = table.modules.emplace(path, std::move(module)).first;
    }
    entry = reinterpret_cast<DllGetClassObjectFunc>(found->second.symbol("DllGetClassObject"));
    if (!entry) {
        table.modules.erase(found);
        setLastErrorDetail(path + " does not export DllGetClassObject");
        return CO_E_ERRORINDLL;
    }
    return S_OK;
}
} // namespace

HRESULT CoInitialize(void *) {
    return S_OK;
}

void CoUninitialize() {
}

HRESULT CLSIDFromProgID(const char *progid, CLSID *pclsid) {
    if (!pclsid)
        return E_POINTER;
    if (!progid || !*progid)
        return E_INVALIDARG;
    return catchOutOfMemory([&]() -> HRESULT {
        if (!RegistryTree::isValidKey(progid))
            return CO_E_CLASSSTRING;
        RegistryTree tree;
        if (FAILED(Registry::read(tree)))
            return REGDB_E_READREGDB;
        const std::string key = std::string(progid) + "\\CLSID";
        const auto text = tree.value(key);
        const auto clsid = text ? guidFromString(*text) : std::nullopt;
        // A missing ProgID needs no more words than its code; a damaged entry does.
        if (text && !clsid)
            setLastErrorDetail(key + " holds \"" + *text + "\", which is no class identifier");
        if (!clsid)
            return CO_E_CLASSSTRING;
        *pclsid = *clsid;
        return S_OK;
    });
}

HRESULT CLSIDFromString(const char *text, CLSID *pclsid) {
    if (!pclsid)
        return E_POINTER;
    if (text && text[0] == '{') {
        const auto clsid = guidFromString(text);
        if (!clsid)
            return CO_E_CLASSSTRING;
        *pclsid = *clsid;
        return S_OK;
    }
    return CLSIDFromProgID(text, pclsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, std::string &progid) {
    return catchOutOfMemory([&]() -> HRESULT {
        RegistryTree tree;
        if (FAILED(Registry::read(tree)))
            return REGDB_E_READREGDB;
        auto found = tree.value("CLSID\\" + guidToString(clsid) + "\\ProgID");
        if (!found)
            return REGDB_E_CLASSNOTREG;
        progid = std::move(*found);
        return S_OK;
    });
}

HRESULT CoGetClassObject(REFCLSID rclsid, uint32_t clsctx, void *, REFIID riid, void **ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if ((clsctx & CLSCTX_INPROC_SERVER) == 0)
        return REGDB_E_CLASSNOTREG;
    return catchOutOfMemory([&]() -> HRESULT {
        std::string path;
        HRESULT hr = registeredServer(rclsid, path);
        if (FAILED(hr))
            return hr;
        // Held across the module's own call, so it cannot be unloaded under it; recursive
        // because a module may well create objects of its own while answering.
        std::lock_guard lock(moduleTable().mutex);
        DllGetClassObjectFunc entry = nullptr;
        hr = classObjectEntry(path, entry);
        if (FAILED(hr))
            return hr;
        return entry(rclsid, riid, ppv);
    });
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown *outer, uint32_t clsctx, REFIID riid,
                         void **ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    ComPtr<IClassFactory> factory;
    const HRESULT hr =
        CoGetClassObject(rclsid, clsctx, nullptr, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr))
        return hr;
    return factory->CreateInstance(outer, riid, ppv);
}

void CoFreeUnusedLibraries() {
    ModuleTable &table = moduleTable();
    std::lock_guard lock(table.mutex);
    for (auto it = table.modules.begin(); it != table.modules.end();) {
        const auto canUnload =
            reinterpret_cast<DllCanUnloadNowFunc>(it->second.symbol("DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK)
            it = table.modules.erase(it);
        else
            ++it;
    }
}

std::string moduleFileName(const void *address) {
    Dl_info info{};
    if (!address || ::dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    return ::realpath(info.dli_fname, resolved) ? std::string(resolved) : std::string();
}
