// The registry entries of control classes, property pages and type libraries.
#include "activex/ole_registration.h"

#include "com/error_detail.h"
#include "com/registry.h"
#include "com/type_info.h"

#include <charconv>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

std::string classKey(REFCLSID clsid) {
    return "CLSID\\" + guidToString(clsid);
}

// Adds each change in order and stops at the first failure.
HRESULT writeAll(RegistryTree &tree,
                 const std::vector<std::pair<std::string, std::string>> &defaultValues) {
    for (const auto &[key, value] : defaultValues)
        if (const HRESULT hr = tree.setValue(key, {}, value); FAILED(hr))
            return hr;
    return S_OK;
}

const char *threadingModel(int nRegFlags) {
    if ((nRegFlags & afxRegFreeThreading) != 0)
        return (nRegFlags & afxRegApartmentThreading) != 0 ? "Both" : "Free";
    if ((nRegFlags & afxRegApartmentThreading) != 0)
        return "Apartment";
    return nullptr;
}

std::optional<uint16_t> parseHex(std::string_view text) {
    uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

struct RegisteredVersion {
    uint16_t major;
    uint16_t minor;
    LCID lcid;
};

std::vector<RegisteredVersion> registeredVersions(REFGUID tlid) {
    std::vector<RegisteredVersion> versions;
    RegistryTree tree;
    if (FAILED(Registry::read(tree)))
        return versions;
    const std::string libraryKey = "TypeLib\\" + guidToString(tlid);
    for (const std::string &version : tree.subkeys(libraryKey)) {
        const size_t dot = version.find('.');
        if (dot == std::string::npos)
            continue;
        const auto major = parseHex(std::string_view(version).substr(0, dot));
        const auto minor = parseHex(std::string_view(version).substr(dot + 1));
        if (!major || !minor)
            continue;
        for (const std::string &locale : tree.subkeys(libraryKey + "\\" + version))
            if (const auto lcid = parseHex(locale))
                versions.push_back({*major, *minor, *lcid});
    }
    return versions;
}

// Interfaces that still name the library once its own keys are gone (removed by hand, or by
// an older registration cut short): with no version left to unregister, nothing else would
// ever remove them.
bool removeInterfacesOf(REFGUID tlid) {
    const std::string library = guidToString(tlid);
    bool removed = false;
    const HRESULT hr = Registry::update([&](RegistryTree &tree) {
        for (const std::string &iid : tree.subkeys("Interface")) {
            if (tree.value("Interface\\" + iid + "\\TypeLib") == library) {
                tree.deleteTree("Interface\\" + iid);
                removed = true;
            }
        }
        return S_OK;
    });
    return SUCCEEDED(hr) && removed;
}

} // namespace

BOOL AfxOleRegisterControlClass(HINSTANCE hInstance, REFCLSID clsid, const char *progId,
                                UINT idTypeName, UINT idBitmap, int nRegFlags, DWORD dwMiscStatus,
                                REFGUID tlid, uint16_t wVerMajor, uint16_t wVerMinor) {
    if (hInstance == nullptr || progId == nullptr || *progId == '\0')
        return 0;
    const std::string path = hInstance->ModuleFileName();
    const std::string typeName = hInstance->LoadString(idTypeName).toStdString();
    const std::string key = classKey(clsid);
    const std::string clsidText = guidToString(clsid);
    const HRESULT hr = Registry::update([&](RegistryTree &tree) -> HRESULT {
        tree.deleteTree(key);
        HRESULT result = writeAll(
            tree, {{key, typeName},
                   {key + "\\InprocServer32", path},
                   {key + "\\ProgID", progId},
                   {key + "\\ToolboxBitmap32", path + ", " + std::to_string(idBitmap)},
                   {key + "\\MiscStatus", "0"},
                   {key + "\\MiscStatus\\1", std::to_string(dwMiscStatus)},
                   {key + "\\TypeLib", guidToString(tlid)},
                   {key + "\\Version", std::to_string(wVerMajor) + "." + std::to_string(wVerMinor)},
                   {progId, typeName},
                   {std::string(progId) + "\\CLSID", clsidText}});
        if (SUCCEEDED(result))
            result = tree.createKey(key + "\\Control");
        if (SUCCEEDED(result) && threadingModel(nRegFlags) != nullptr)
            result = tree.setValue(key + "\\InprocServer32", "ThreadingModel",
                                   threadingModel(nRegFlags));
        if (SUCCEEDED(result) && (nRegFlags & afxRegInsertable) != 0) {
            result = tree.createKey(key + "\\Insertable");
            if (SUCCEEDED(result))
                result = tree.createKey(std::string(progId) + "\\Insertable");
        }
        return result;
    });
    return SUCCEEDED(hr) ? 1 : 0;
}

BOOL AfxOleRegisterPropertyPageClass(HINSTANCE hInstance, REFCLSID clsid, UINT idTypeName,
                                     int nRegFlags) {
    if (hInstance == nullptr)
        return 0;
    const std::string path = hInstance->ModuleFileName();
    const std::string typeName = hInstance->LoadString(idTypeName).toStdString();
    const std::string key = classKey(clsid);
    const HRESULT hr = Registry::update([&](RegistryTree &tree) -> HRESULT {
        tree.deleteTree(key);
        HRESULT result = writeAll(tree, {{key, typeName}, {key + "\\InprocServer32", path}});
        if (SUCCEEDED(result) && threadingModel(nRegFlags) != nullptr)
            result = tree.setValue(key + "\\InprocServer32", "ThreadingModel",
                                   threadingModel(nRegFlags));
        return result;
    });
    return SUCCEEDED(hr) ? 1 : 0;
}

BOOL AfxOleUnregisterClass(REFCLSID clsid, const char *progId) {
    const HRESULT hr = Registry::update([&](RegistryTree &tree) -> HRESULT {
        HRESULT result = tree.deleteTree(classKey(clsid));
        if (SUCCEEDED(result) && progId != nullptr && *progId != '\0')
            result = tree.deleteTree(progId);
        return result;
    });
    return SUCCEEDED(hr) ? 1 : 0;
}

BOOL AfxOleRegisterTypeLib(HINSTANCE hInstance, REFGUID tlid, const char *fileName,
                           const char *helpDir) {
    if (hInstance == nullptr && fileName == nullptr)
        return 0;
    const std::string path = fileName != nullptr ? fileName : hInstance->ModuleFileName();
    ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLib(path.c_str(), library.put())))
        return 0;
    const TLIBATTR *attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes)))
        return 0;
    if (attributes->guid != tlid) {
        setLastErrorDetail(path + " holds the type library " + guidToString(attributes->guid) +
                           ", not " + guidToString(tlid));
        return 0;
    }
    return SUCCEEDED(RegisterTypeLib(library.get(), path.c_str(), helpDir)) ? 1 : 0;
}

BOOL AfxOleUnregisterTypeLib(REFGUID tlid, uint16_t wVerMajor, uint16_t wVerMinor, LCID lcid) {
    if (wVerMajor != 0)
        return SUCCEEDED(UnRegisterTypeLib(tlid, wVerMajor, wVerMinor, lcid, SYS_LINUX)) ? 1 : 0;
    const std::vector<RegisteredVersion> versions = registeredVersions(tlid);
    for (const RegisteredVersion &version : versions)
        if (FAILED(UnRegisterTypeLib(tlid, version.major, version.minor, version.lcid, SYS_LINUX)))
            return 0;
    const bool strayInterfacesRemoved = removeInterfacesOf(tlid);
    return versions.empty() && !strayInterfacesRemoved ? 0 : 1;
}
