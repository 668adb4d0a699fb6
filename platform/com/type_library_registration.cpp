// Loading type libraries from modules and recording them in the registry.
#include "com/error_detail.h"
#include "com/registry.h"
#include "com/type_info.h"
#include "module_loader.h"

#include <cstdio>
#include <new>

namespace {
std::string hex(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

std::string versionKey(const GUID &libid, uint16_t major, uint16_t minor) {
    return "TypeLib\\" + guidToString(libid) + '\\' + hex(major) + '.' + hex(minor);
}

std::string version(uint16_t major, uint16_t minor) {
    return hex(major) + '.' + hex(minor);
}

// Parses "M.m" in hex, as the platform writes version keys.
bool parseVersion(const std::string &text, uint16_t &major, uint16_t &minor) {
    unsigned int high = 0;
    unsigned int low = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%x.%x%c", &high, &low, &extra) != 2 || high > 0xFFFF ||
        low > 0xFFFF)
        return false;
    major = static_cast<uint16_t>(high);
    minor = static_cast<uint16_t>(low);
    return true;
}

std::string syskindName(SYSKIND syskind) {
    switch (syskind) {
    case SYS_WIN16:
        return "win16";
    case SYS_WIN32:
        return "win32";
    case SYS_MAC:
        return "mac";
    case SYS_WIN64:
        return "win64";
    case SYS_LINUX:
        return "linux";
    }
    return "linux";
}

HRESULT writeTypeLib(RegistryTree &tree, ITypeLib &lib, const TLIBATTR &attr,
                     const std::string &path, const std::string &helpDir) {
    BSTR name = nullptr;
    BSTR doc = nullptr;
    HRESULT hr = lib.GetDocumentation(-1, &name, &doc);
    if (FAILED(hr))
        return hr;
    const std::string description = SysStringLen(doc) ? utf8FromBstr(doc) : utf8FromBstr(name);
    SysFreeString(name);
    SysFreeString(doc);
    const std::string key = versionKey(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum);
    tree.setValue(key, "", description);
    tree.setValue(key + "\\FLAGS", "", std::to_string(attr.wLibFlags));
    tree.setValue(key + "\\HELPDIR", "", helpDir);
    tree.setValue(key + '\\' + hex(attr.lcid) + "\\linux", "", path);
    for (uint32_t i = 0; i < lib.GetTypeInfoCount(); ++i) {
        TYPEKIND kind{};
        if (FAILED(lib.GetTypeInfoType(i, &kind)) || kind != TKIND_DISPATCH)
            continue;
        ComPtr<ITypeInfo> info;
        const TYPEATTR *typeAttr = nullptr;
        BStr typeName;
        hr = lib.GetTypeInfo(i, info.put());
        if (SUCCEEDED(hr))
            hr = info->GetTypeAttr(&typeAttr);
        if (SUCCEEDED(hr))
            hr = info->GetDocumentation(MEMBERID_NIL, typeName.put(), nullptr);
        if (FAILED(hr))
            return hr;
        const std::string interfaceKey = "Interface\\" + guidToString(typeAttr->guid);
        tree.setValue(interfaceKey, "", typeName.utf8());
        tree.setValue(interfaceKey + "\\TypeLib", "", guidToString(attr.guid));
        tree.setValue(interfaceKey + "\\TypeLib", "Version",
                      version(attr.wMajorVerNum, attr.wMinorVerNum));
    }
    return S_OK;
}

void removeInterfaces(RegistryTree &tree, const GUID &libid, uint16_t major, uint16_t minor) {
    const std::string library = guidToString(libid);
    for (const std::string &iid : tree.subkeys("Interface")) {
        const std::string key = "Interface\\" + iid + "\\TypeLib";
        if (tree.value(key) == library && tree.value(key, "Version") == version(major, minor))
            tree.deleteTree("Interface\\" + iid);
    }
}
} // namespace

HRESULT LoadTypeLib(const char *path, ITypeLib **ppTLib) {
    if (!ppTLib)
        return E_POINTER;
    *ppTLib = nullptr;
    if (!path || path[0] != '/')
        return E_INVALIDARG;
    return catchOutOfMemory([&]() -> HRESULT {
        LoadedModule module;
        if (FAILED(openModule(module, path)))
            return TYPE_E_CANTLOADLIBRARY;
        const auto text =
            reinterpret_cast<KorvaneTypeLibraryFunc>(module.symbol(kTypeLibrarySymbol));
        const char *library = text ? text() : nullptr;
        if (!library) {
            setLastErrorDetail(std::string(path) + " holds no type library");
            return TYPE_E_CANTLOADLIBRARY;
        }
        return LoadTypeLibFromText(library, ppTLib);
    });
}

HRESULT RegisterTypeLib(ITypeLib *ptlib, const char *fullPath, const char *helpDir) {
    if (!ptlib || !fullPath || fullPath[0] != '/')
        return E_INVALIDARG;
    const TLIBATTR *attr = nullptr;
    HRESULT hr = ptlib->GetLibAttr(&attr);
    if (FAILED(hr))
        return hr;
    hr = catchOutOfMemory([&] {
        const std::string path(fullPath);
        const std::string help(helpDir ? helpDir : "");
        return Registry::update(
            [&](RegistryTree &tree) { return writeTypeLib(tree, *ptlib, *attr, path, help); });
    });
    if (hr == REGDB_E_READREGDB || hr == REGDB_E_WRITEREGDB)
        return TYPE_E_REGISTRYACCESS;
    return hr;
}

HRESULT UnRegisterTypeLib(REFGUID libid, uint16_t wVerMajor, uint16_t wVerMinor, LCID lcid,
                          SYSKIND syskind) {
    const HRESULT hr = Registry::update([&](RegistryTree &tree) -> HRESULT {
        const std::string key = versionKey(libid, wVerMajor, wVerMinor);
        const std::string pathKey = key + '\\' + hex(lcid) + '\\' + syskindName(syskind);
        if (!tree.hasKey(pathKey))
            return TYPE_E_REGISTRYACCESS;
        tree.deleteTree(key + '\\' + hex(lcid));
        removeInterfaces(tree, libid, wVerMajor, wVerMinor);
        // The version key goes once no locale is left under it; FLAGS and HELPDIR don't count.
        bool localeLeft = false;
        for (const std::string &child : tree.subkeys(key)) {
            unsigned int ignored = 0;
            char extra = 0;
            if (std::sscanf(child.c_str(), "%x%c", &ignored, &extra) == 1)
                localeLeft = true;
        }
        if (!localeLeft)
            tree.deleteTree(key);
        const std::string libraryKey = "TypeLib\\" + guidToString(libid);
        if (tree.subkeys(libraryKey).empty())
            tree.deleteTree(libraryKey);
        return S_OK;
    });
    return hr == REGDB_E_READREGDB || hr == REGDB_E_WRITEREGDB ? TYPE_E_REGISTRYACCESS : hr;
}

HRESULT LoadRegTypeLib(REFGUID libid, uint16_t wVerMajor, uint16_t wVerMinor, LCID lcid,
                       ITypeLib **ppTLib) {
    if (!ppTLib)
        return E_POINTER;
    *ppTLib = nullptr;
    std::string path;
    const HRESULT hr = catchOutOfMemory([&] {
        RegistryTree tree;
        if (FAILED(Registry::read(tree)))
            return TYPE_E_REGISTRYACCESS;
        const std::string libraryKey = "TypeLib\\" + guidToString(libid);
        int bestMinor = -1;
        for (const std::string &child : tree.subkeys(libraryKey)) {
            uint16_t major = 0;
            uint16_t minor = 0;
            if (!parseVersion(child, major, minor) || major != wVerMajor || minor < wVerMinor ||
                minor <= bestMinor)
                continue;
            const std::string key = versionKey(libid, major, minor) + '\\';
            for (const LCID candidate : {lcid, LCID{0}}) {
                if (auto found = tree.value(key + hex(candidate) + "\\linux")) {
                    path = std::move(*found);
                    bestMinor = minor;
                    break;
                }
            }
        }
        return S_OK;
    });
    if (FAILED(hr))
        return hr;
    if (path.empty())
        return TYPE_E_LIBNOTREGISTERED;
    return LoadTypeLib(path.c_str(), ppTLib);
}
