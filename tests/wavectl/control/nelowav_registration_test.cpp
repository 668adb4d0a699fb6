#include "com/creation.h"
#include "com/registry.h"
#include "com/type_info.h"
#include "control_support.h"
#include "interface/nelowav_ids.h"
#include "temporary_folder.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kControlKey = "CLSID\\" + guidToString(CLSID_NeloWav);
const std::string kGeneralKey = "CLSID\\" + guidToString(CLSID_NeloWavPropPage);
const std::string kAboutKey = "CLSID\\" + guidToString(CLSID_AboutPropPage);
const std::string kLibraryKey = "TypeLib\\" + guidToString(LIBID_NelowavLib);

RegistryTree readRegistry() {
    RegistryTree tree;
    EXPECT_EQ(Registry::read(tree), S_OK);
    return tree;
}

TEST(NeloWavRegistrationTest, WritesTheClassesProgIdAndTypeLibrary) {
    registerModuleFreshly();
    const RegistryTree tree = readRegistry();
    const std::string module = NELOWAV_MODULE;

    EXPECT_EQ(tree.value(kControlKey), "Pardane Wave Control");
    EXPECT_EQ(tree.value(kControlKey + "\\InprocServer32"), module);
    EXPECT_EQ(tree.valueNames(kControlKey + "\\InprocServer32"), std::vector<std::string>{""})
        << "no threading model";
    EXPECT_EQ(tree.value(kControlKey + "\\ProgID"), "NELOWAV.NeloWavCtrl");
    EXPECT_EQ(tree.value(kControlKey + "\\ToolboxBitmap32"), module + ", 1");
    EXPECT_EQ(tree.value(kControlKey + "\\MiscStatus\\1"), std::to_string(0x20191));
    EXPECT_EQ(tree.value(kControlKey + "\\TypeLib"), guidToString(LIBID_NelowavLib));
    EXPECT_EQ(tree.value(kControlKey + "\\Version"), "1.0");
    EXPECT_TRUE(tree.hasKey(kControlKey + "\\Control"));
    EXPECT_FALSE(tree.hasKey(kControlKey + "\\Insertable"));
    EXPECT_EQ(tree.value("NELOWAV.NeloWavCtrl\\CLSID"), guidToString(CLSID_NeloWav));

    EXPECT_EQ(tree.value(kGeneralKey), "Nelowav Property Page");
    EXPECT_EQ(tree.value(kGeneralKey + "\\InprocServer32"), module);
    EXPECT_EQ(tree.value(kAboutKey), "About Property Page");
    EXPECT_EQ(tree.value(kAboutKey + "\\InprocServer32"), module);
    EXPECT_FALSE(tree.hasKey("NELOWAV.NeloWavPropPage.1")) << "pages register no ProgID";
    EXPECT_FALSE(tree.hasKey("CAboutPropPage0.CAboutPropPage"));

    EXPECT_EQ(tree.value(kLibraryKey + "\\1.0\\0\\linux"), module);
    EXPECT_EQ(tree.value("Interface\\" + guidToString(IID_DNeloWav) + "\\TypeLib"),
              guidToString(LIBID_NelowavLib));
    EXPECT_TRUE(tree.hasKey("Interface\\" + guidToString(IID_DNeloWavEvents)));
}

TEST(NeloWavRegistrationTest, UnregisteringRemovesAllOfItAndNothingElse) {
    registerModuleFreshly();
    ASSERT_EQ(
        Registry::setValue("Other.Control\\CLSID", "", "{00000000-0000-0000-0000-000000000001}"),
        S_OK);
    ASSERT_EQ(callModuleExport("DllUnregisterServer"), S_OK);
    const RegistryTree tree = readRegistry();
    for (const std::string &key :
         {kControlKey, kGeneralKey, kAboutKey, kLibraryKey, std::string("NELOWAV.NeloWavCtrl"),
          "Interface\\" + guidToString(IID_DNeloWav),
          "Interface\\" + guidToString(IID_DNeloWavEvents)})
        EXPECT_FALSE(tree.hasKey(key)) << key;
    EXPECT_TRUE(tree.hasKey("Other.Control\\CLSID"));

    EXPECT_EQ(callModuleExport("DllUnregisterServer"), static_cast<HRESULT>(0x80040200))
        << "nothing left to unregister";
}

TEST(NeloWavRegistrationTest, UnregisteringWithTheTypeLibraryGoneStillRemovesTheRest) {
    // What a hand edit, or a crash or race between two older registration runs, may leave.
    const std::vector<std::vector<std::string>> removals = {
        {kLibraryKey},
        {kLibraryKey, "Interface\\" + guidToString(IID_DNeloWav),
         "Interface\\" + guidToString(IID_DNeloWavEvents)},
    };
    for (const auto &removed : removals) {
        SCOPED_TRACE(removed.size());
        registerModuleFreshly();
        for (const std::string &key : removed)
            ASSERT_EQ(Registry::deleteTree(key), S_OK);
        EXPECT_EQ(callModuleExport("DllUnregisterServer"), S_OK);
        const RegistryTree tree = readRegistry();
        EXPECT_TRUE(tree.keys().empty()) << tree.serialize();
    }
}

TEST(NeloWavRegistrationTest, RegistrationThatCannotBeWrittenWholeWritesNothing) {
    registerModuleFreshly();
    const std::string path = Registry::path();
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    std::remove(path.c_str());
    // A file-size limit just short of the whole registration fails a write like a full disk.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(info.st_size - 1),
                           static_cast<rlim_t>(info.st_size - 1)};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(callModuleExport("DllRegisterServer") == static_cast<HRESULT>(0x80040200) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(readRegistry().keys().empty()) << readRegistry().serialize();
}

TEST(NeloWavRegistrationTest, UnwritableRegistryFailsAtTheTypeLibraryAndRegistersNoClass) {
    const std::string saved = Registry::path();
    TemporaryFolder folder;
    // A file where the registry's folder should be: neither root nor anyone can write below it.
    const std::string blocker = folder.file("blocker");
    std::ofstream(blocker) << "not a folder";
    setenv("KORVANE_COM_REGISTRY", (blocker + "/com-registry").c_str(), 1);
    EXPECT_EQ(callModuleExport("DllRegisterServer"), static_cast<HRESULT>(0x80040200));
    setenv("KORVANE_COM_REGISTRY", saved.c_str(), 1);

    std::remove(saved.c_str());
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("NELOWAV.NeloWavCtrl", &clsid), CO_E_CLASSSTRING);
}

TEST(NeloWavCreationTest, ByClassIdAndByProgId) {
    registerModuleFreshly();
    ComPtr<IDispatch> byClassId;
    EXPECT_EQ(CoCreateInstance(CLSID_NeloWav, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               byClassId.putVoid()),
              S_OK);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID("NELOWAV.NeloWavCtrl", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_NeloWav);
    ComPtr<IDispatch> byProgId;
    EXPECT_EQ(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_DNeloWav, byProgId.putVoid()),
        S_OK);
    EXPECT_NE(byClassId.get(), byProgId.get());

    ComPtr<IUnknown> page;
    EXPECT_EQ(CoCreateInstance(CLSID_AboutPropPage, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               page.putVoid()),
              S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_NeloWav, byClassId.get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                               page.putVoid()),
              CLASS_E_NOAGGREGATION);
}

TEST(NeloWavCreationTest, UnregisteredModuleGivesAClearCode) {
    registerModuleFreshly();
    ASSERT_EQ(callModuleExport("DllUnregisterServer"), S_OK);
    ComPtr<IDispatch> control;
    EXPECT_EQ(CoCreateInstance(CLSID_NeloWav, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               control.putVoid()),
              REGDB_E_CLASSNOTREG);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("NELOWAV.NeloWavCtrl", &clsid), CO_E_CLASSSTRING);
}

} // namespace
