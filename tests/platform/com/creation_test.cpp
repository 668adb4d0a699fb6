// Creation by CLSID and ProgID through the registry, its failures, and unloading.
#include "com/creation.h"
#include "com/error_detail.h"
#include "com/registry.h"
#include "com/type_info.h"
#include "test_module_ids.h"
#include "test_support.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
const std::string kClassKey = "CLSID\\" + guidToString(kTestClassId) + "\\InprocServer32";

bool moduleIsLoaded(const std::string &path) {
    void *handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

class CreationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(callModuleExport(kTestModulePath, "DllRegisterServer"), S_OK);
    }

    PrivateRegistry registry;
};
} // namespace

TEST_F(CreationTest, CreatesByClsidAndByProgId) {
    ComPtr<IDispatch> byClsid;
    ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               byClsid.putVoid()),
              S_OK);
    uint32_t count = 0;
    EXPECT_EQ(byClsid->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID("KorvaneTest.Counter", &clsid), S_OK);
    EXPECT_EQ(clsid, kTestClassId);
    ASSERT_EQ(CLSIDFromProgID("korvanetest.COUNTER", &clsid), S_OK) << "ProgIDs ignore case";
    ASSERT_EQ(CLSIDFromString("KorvaneTest.Counter", &clsid), S_OK);
    ASSERT_EQ(CLSIDFromString(guidToString(kTestClassId).c_str(), &clsid), S_OK);
    EXPECT_EQ(clsid, kTestClassId);
    ComPtr<IDispatch> byProgId;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, byProgId.putVoid()),
              S_OK);
    EXPECT_NE(byProgId.get(), byClsid.get()) << "each creation makes a new instance";
    std::string progid;
    ASSERT_EQ(ProgIDFromCLSID(kTestClassId, progid), S_OK);
    EXPECT_EQ(progid, kTestProgId);
}

TEST_F(CreationTest, UnregisteredNamesAreReported) {
    const GUID unknown = makeGuid("{DEADBEEF-0000-0000-0000-000000000000}");
    ComPtr<IUnknown> object;
    EXPECT_EQ(
        CoCreateInstance(unknown, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.putVoid()),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown,
                               object.putVoid()),
              REGDB_E_CLASSNOTREG)
        << "only in-process servers exist here";
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID("No.Such.Thing", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID("Bad]Name", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID("", &clsid), E_INVALIDARG);
    EXPECT_EQ(CLSIDFromString("{not-a-guid}", &clsid), CO_E_CLASSSTRING);
    std::string progid;
    EXPECT_EQ(ProgIDFromCLSID(unknown, progid), REGDB_E_CLASSNOTREG);
    ASSERT_EQ(Registry::setValue("Broken.ProgId\\CLSID", "", "not a guid"), S_OK);
    EXPECT_EQ(CLSIDFromProgID("Broken.ProgId", &clsid), CO_E_CLASSSTRING);
}

TEST_F(CreationTest, RegisteredPathsThatCannotServeGiveClearCodes) {
    const std::string textFile = registry.folder() + "/not-a-library.so";
    std::ofstream(textFile) << "plain text";
    const std::string runtime = moduleFileName(reinterpret_cast<const void *>(&SysAllocString));
    const struct {
        std::string path;
        HRESULT expected;
        std::string detail; // what the last error detail must say
    } cases[] = {
        {"libkorvane_com_test_module.so", CO_E_BAD_PATH,
         "\"libkorvane_com_test_module.so\" is not absolute"},
        {"./libkorvane_com_test_module.so", CO_E_BAD_PATH, "not absolute"},
        {"", REGDB_E_CLASSNOTREG, kClassKey + " in " + registry.path()},
        {registry.folder() + "/vanished.so", CO_E_DLLNOTFOUND,
         registry.folder() + "/vanished.so: No such file or directory"},
        {textFile, CO_E_ERRORINDLL, "cannot load " + textFile + ": file too short"},
        {runtime, CO_E_ERRORINDLL, runtime + " does not export DllGetClassObject"},
    };
    for (const auto &c : cases) {
        ASSERT_EQ(Registry::setValue(kClassKey, "", c.path), S_OK);
        clearLastErrorDetail();
        ComPtr<IUnknown> object;
        EXPECT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   object.putVoid()),
                  c.expected)
            << c.path;
        EXPECT_FALSE(object);
        EXPECT_NE(lastErrorDetail().find(c.detail), std::string::npos)
            << c.path << ": " << lastErrorDetail();
    }
}

TEST_F(CreationTest, ModuleWhoseFileVanishedIsNotFound) {
    const std::string copy = registry.folder() + "/copy-of-module.so";
    std::filesystem::copy_file(kTestModulePath, copy);
    ASSERT_EQ(callModuleExport(copy, "DllRegisterServer"), S_OK);
    std::string registered;
    ASSERT_EQ(Registry::getValue(kClassKey, "", registered), S_OK);
    ASSERT_EQ(registered, copy);
    std::filesystem::remove(copy);
    ComPtr<IUnknown> object;
    EXPECT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               object.putVoid()),
              CO_E_DLLNOTFOUND);
}

TEST_F(CreationTest, FactoryRefusesAggregationAndUnknownClasses) {
    ComPtr<IDispatch> outer;
    ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               outer.putVoid()),
              S_OK);
    ComPtr<IUnknown> inner;
    EXPECT_EQ(CoCreateInstance(kTestClassId, outer.get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                               inner.putVoid()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_ITypeLib,
                               inner.putVoid()),
              E_NOINTERFACE);
    const GUID other = makeGuid("{DEADBEEF-0000-0000-0000-000000000001}");
    ASSERT_EQ(Registry::setValue("CLSID\\" + guidToString(other) + "\\InprocServer32", "",
                                 kTestModulePath),
              S_OK);
    EXPECT_EQ(CoCreateInstance(other, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, inner.putVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(CreationTest, ModuleIsUnloadedOnlyWhenItAllows) {
    CoFreeUnusedLibraries();
    ASSERT_FALSE(moduleIsLoaded(kTestModulePath));
    ComPtr<IDispatch> object;
    ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               object.putVoid()),
              S_OK);
    CoFreeUnusedLibraries();
    EXPECT_TRUE(moduleIsLoaded(kTestModulePath)) << "an object is alive";

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(kTestClassId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.putVoid()),
              S_OK);
    ASSERT_EQ(factory->LockServer(true), S_OK);
    factory.reset();
    object.reset();
    CoFreeUnusedLibraries();
    EXPECT_TRUE(moduleIsLoaded(kTestModulePath)) << "the server is locked";

    ASSERT_EQ(CoGetClassObject(kTestClassId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.putVoid()),
              S_OK);
    factory->LockServer(false);
    factory.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(moduleIsLoaded(kTestModulePath)) << "nothing keeps it any more";

    ASSERT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               object.putVoid()),
              S_OK)
        << "it loads again on demand";
}

// Anyone who can change a module's file, or rename it away in its folder, could have the host
// run their code; a sticky folder lets only the file's owner do that.
TEST_F(CreationTest, ModulesThatEveryUserCouldChangeAreNotLoaded) {
    namespace fs = std::filesystem;
    const fs::perms open = fs::perms::all;
    const fs::perms openSticky = fs::perms::all | fs::perms::sticky_bit;
    const fs::perms usual = fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read;
    const struct {
        const char *name;
        fs::perms file;
        fs::perms folder;
        bool linked; // registered through a link in the folder to a copy beside the registry
        HRESULT expected;
    } cases[] = {
        {"usual", usual, usual, false, S_OK},
        {"file writable by all", open, usual, false, E_ACCESSDENIED},
        {"folder writable by all", usual, open, false, E_ACCESSDENIED},
        {"sticky folder writable by all", usual, openSticky, false, S_OK},
        {"link in a folder writable by all", usual, open, true, E_ACCESSDENIED},
    };
    for (const auto &c : cases) {
        const fs::path folder = fs::path(registry.folder()) / c.name;
        fs::create_directory(folder);
        const fs::path copy = (c.linked ? fs::path(registry.folder()) : folder) / "module.so";
        fs::copy_file(kTestModulePath, copy, fs::copy_options::overwrite_existing);
        fs::permissions(copy, c.file);
        std::string registered = copy.string();
        if (c.linked) {
            registered = (folder / "link.so").string();
            fs::create_symlink(copy, registered);
        }
        fs::permissions(folder, c.folder);
        ASSERT_EQ(Registry::setValue(kClassKey, "", registered), S_OK);
        ComPtr<IUnknown> object;
        EXPECT_EQ(CoCreateInstance(kTestClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   object.putVoid()),
                  c.expected)
            << c.name;
        if (c.expected == E_ACCESSDENIED) {
            EXPECT_NE(lastErrorDetail().find("is writable by every user"), std::string::npos)
                << c.name << ": " << lastErrorDetail();
        }
        fs::permissions(folder, usual);
    }
}
