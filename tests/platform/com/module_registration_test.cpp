// Self-registration of the test module into a private registry, and type-library
// registration on its own.
#include "com/creation.h"
#include "com/registry.h"
#include "com/type_info.h"
#include "test_module_ids.h"
#include "test_support.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace {
using Entries = std::map<std::string, std::string>; // "key|name" -> value

Entries entriesOf(const RegistryTree &tree) {
    Entries entries;
    for (const std::string &key : tree.keys()) {
        for (const std::string &name : tree.valueNames(key))
            entries[key + '|' + name] = *tree.value(key, name);
    }
    return entries;
}

Entries registryEntries() {
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), S_OK);
    return entriesOf(tree);
}

std::string realPath(const std::string &path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? resolved : path;
}

class ModuleRegistrationTest : public ::testing::Test {
  protected:
    PrivateRegistry registry;
};
} // namespace

TEST_F(ModuleRegistrationTest, RegistrationWritesClassProgIdAndTypeLibrary) {
    ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
    const std::string module = realPath(kTestModulePath);
    const std::string clsid = "CLSID\\" + guidToString(kTestClassId);
    const std::string libid = guidToString(kTestLibraryId);
    const std::string lib = "TypeLib\\" + libid + "\\1.0";
    const std::string dispatch = "Interface\\" + guidToString(kTestDispatchId);
    const std::string events = "Interface\\" + guidToString(kTestEventsId);
    const Entries expected = {
        {clsid + "|", "Korvane test counter"},
        {clsid + "\\InprocServer32|", module},
        {clsid + "\\ProgID|", "KorvaneTest.Counter"},
        {clsid + "\\TypeLib|", libid},
        {"KorvaneTest.Counter|", "Korvane test counter"},
        {"KorvaneTest.Counter\\CLSID|", guidToString(kTestClassId)},
        {lib + "|", "Korvane COM test library"},
        {lib + "\\FLAGS|", "0"},
        {lib + "\\HELPDIR|", ""},
        {lib + "\\0\\linux|", module},
        {dispatch + "|", "_DCounter"},
        {dispatch + "\\TypeLib|", libid},
        {dispatch + "\\TypeLib|Version", "1.0"},
        {events + "|", "_DCounterEvents"},
        {events + "\\TypeLib|", libid},
        {events + "\\TypeLib|Version", "1.0"},
    };
    EXPECT_EQ(registryEntries(), expected);
    ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
    EXPECT_EQ(registryEntries(), expected) << "registering again changes nothing";
}

TEST_F(ModuleRegistrationTest, UnregistrationRemovesExactlyWhatWasWritten) {
    ASSERT_EQ(Registry::setValue("CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32",
                                 "", "/other.so"),
              S_OK);
    ASSERT_EQ(Registry::setValue("Interface\\{00000000-0000-0000-0000-000000000002}\\TypeLib", "",
                                 guidToString(kTestLibraryId)),
              S_OK);
    const Entries before = registryEntries();
    ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
    ASSERT_EQ(callModuleExport(kTestModulePath, "DllUnregisterServer"), S_OK);
    EXPECT_EQ(registryEntries(), before);
    RegistryTree tree;
    Registry::read(tree);
    EXPECT_FALSE(tree.hasKey("TypeLib")) << "no empty library key is left behind";
    EXPECT_EQ(callModuleExport(kTestModulePath, "DllUnregisterServer"), SELFREG_E_TYPELIB)
        << "nothing left to unregister";
}

TEST_F(ModuleRegistrationTest, UnwritableRegistryFailsOnTheTypeLibraryFirst) {
    const std::string blocker = registry.folder() + "/plain-file";
    std::ofstream(blocker) << "x";
    ::setenv(kRegistryEnvironmentVariable, (blocker + "/com-registry").c_str(), 1);
    EXPECT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), SELFREG_E_TYPELIB);
}

TEST_F(ModuleRegistrationTest, MalformedRegistryIsLeftAloneAndRegistersNoClass) {
    const std::string garbage = "[Key]\nnot a value line\n";
    std::ofstream(registry.path()) << garbage;
    EXPECT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), SELFREG_E_TYPELIB);
    EXPECT_EQ(registry.contents(), garbage);
}

TEST_F(ModuleRegistrationTest, LoadRegTypeLibFindsTheRegisteredVersion) {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(kTestLibraryId, 1, 0, 0, library.put()), TYPE_E_LIBNOTREGISTERED);
    ASSERT_EQ(LoadTypeLib(kTestModulePath.c_str(), library.put()), S_OK);
    ASSERT_EQ(RegisterTypeLib(library.get(), kTestModulePath.c_str(), nullptr), S_OK);
    const struct {
        uint16_t major;
        uint16_t minor;
        LCID lcid;
        HRESULT expected;
    } cases[] = {
        {1, 0, 0, S_OK},
        {1, 0, 0x409, S_OK}, // falls back to the neutral locale
        {1, 1, 0, TYPE_E_LIBNOTREGISTERED},
        {2, 0, 0, TYPE_E_LIBNOTREGISTERED},
        {0, 0, 0, TYPE_E_LIBNOTREGISTERED},
    };
    for (const auto &c : cases) {
        ComPtr<ITypeLib> found;
        EXPECT_EQ(LoadRegTypeLib(kTestLibraryId, c.major, c.minor, c.lcid, found.put()), c.expected)
            << c.major << '.' << c.minor << " lcid " << c.lcid;
        if (SUCCEEDED(c.expected)) {
            const TLIBATTR *attr = nullptr;
            found->GetLibAttr(&attr);
            EXPECT_EQ(attr->guid, kTestLibraryId);
        }
    }
    EXPECT_EQ(UnRegisterTypeLib(kTestLibraryId, 1, 1, 0, SYS_LINUX), TYPE_E_REGISTRYACCESS);
    EXPECT_EQ(UnRegisterTypeLib(kTestLibraryId, 1, 0, 0, SYS_LINUX), S_OK);
    EXPECT_EQ(LoadRegTypeLib(kTestLibraryId, 1, 0, 0, library.put()), TYPE_E_LIBNOTREGISTERED);
}

TEST_F(ModuleRegistrationTest, TypeLibraryLoadingAndRegistrationRefuseBadInput) {
    ComPtr<ITypeLib> library;
    EXPECT_EQ(LoadTypeLib("relative/module.so", library.put()), E_INVALIDARG);
    EXPECT_EQ(LoadTypeLib((registry.folder() + "/missing.so").c_str(), library.put()),
              TYPE_E_CANTLOADLIBRARY);
    const std::string runtime = moduleFileName(reinterpret_cast<const void *>(&SysAllocString));
    EXPECT_EQ(LoadTypeLib(runtime.c_str(), library.put()), TYPE_E_CANTLOADLIBRARY)
        << "exports no library";
    ASSERT_EQ(LoadTypeLib(kTestModulePath.c_str(), library.put()), S_OK);
    EXPECT_EQ(RegisterTypeLib(library.get(), "relative.so", nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterTypeLib(nullptr, kTestModulePath.c_str(), nullptr), E_INVALIDARG);
    const std::string blocker = registry.folder() + "/plain-file";
    std::ofstream(blocker) << "x";
    ::setenv(kRegistryEnvironmentVariable, (blocker + "/com-registry").c_str(), 1);
    EXPECT_EQ(RegisterTypeLib(library.get(), kTestModulePath.c_str(), nullptr),
              TYPE_E_REGISTRYACCESS);
}
