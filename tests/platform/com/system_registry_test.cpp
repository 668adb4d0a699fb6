// The installation's registry adds what the user's lacks and overrides only an entry whose
// module is gone; a private registry stands alone; an installation's registry is found from
// where its runtime library lies.
#include "com/system_registry.h"
#include "temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// The user registered a build in a clone since deleted (class {A} and its type library {L})
// and a module that is still there ({B}): the installation's entries replace only those whose
// module is gone, with one trace line each however often the registry is read, and add what
// the user lacks ({C}). A type library's help folder names no module and is left alone.
TEST(SystemRegistryTest, UserKeysWinUnlessTheirModuleIsGone) {
    setenv("KORVANE_TRACE", "mci,com", 1);
    const TemporaryFolder home;
    std::ofstream(home.file("b.so")) << "module";
    const std::string clone = home.file("clone/a.so");
    RegistryTree user;
    RegistryTree system;
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\inprocserver32]\n@=\"" + clone + "\"\n" +
                                      "[TypeLib\\{L}\\1.0\\0\\linux]\n@=\"" + clone + "\"\n" +
                                      "[TypeLib\\{L}\\1.0\\HELPDIR]\n@=\"" + home.file("gone") +
                                      "\"\n[CLSID\\{B}\\InprocServer32]\n@=\"" + home.file("b.so") +
                                      "\"\n",
                                  user),
              S_OK);
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\InprocServer32]\n@=\"/usr/lib/a.so\"\n"
                                  "[TypeLib\\{L}\\1.0\\0\\linux]\n@=\"/usr/lib/a.so\"\n"
                                  "[TypeLib\\{L}\\1.0\\HELPDIR]\n@=\"/usr/lib\"\n"
                                  "[CLSID\\{B}\\InprocServer32]\n@=\"/usr/lib/b.so\"\n"
                                  "[CLSID\\{C}\\InprocServer32]\n@=\"/usr/lib/c.so\"\n",
                                  system),
              S_OK);
    RegistryTree readAgain = user;
    testing::internal::CaptureStderr();
    mergeSystemKeys(system, user);
    mergeSystemKeys(system, readAgain);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(user, readAgain);
    EXPECT_EQ(user.value("CLSID\\{A}\\InprocServer32"), "/usr/lib/a.so");
    EXPECT_EQ(user.value("TypeLib\\{L}\\1.0\\0\\linux"), "/usr/lib/a.so");
    EXPECT_EQ(user.value("TypeLib\\{L}\\1.0\\HELPDIR"), home.file("gone"));
    EXPECT_EQ(user.value("CLSID\\{B}\\InprocServer32"), home.file("b.so"));
    EXPECT_EQ(user.value("CLSID\\{C}\\InprocServer32"), "/usr/lib/c.so");
    const std::string reason =
        ": its module " + clone + " no longer exists; the installation's entry is used\n";
    EXPECT_EQ(trace, "com: skipped the user's entry [CLSID\\{A}\\InprocServer32]" + reason +
                         "com: skipped the user's entry [TypeLib\\{L}\\1.0\\0\\linux]" + reason);
}

TEST(SystemRegistryTest, APrivateRegistryStandsAlone) {
    // A system registry along the search path, which a private registry must not see.
    const TemporaryFolder dataDir;
    std::filesystem::create_directory(dataDir.path() / "korvane");
    std::ofstream(dataDir.file("korvane/com-registry")) << "[CLSID\\{B}\\InprocServer32]\n";
    setenv("XDG_DATA_DIRS", dataDir.path().c_str(), 1);
    setenv("KORVANE_COM_REGISTRY", "/private/registry", 1);
    EXPECT_TRUE(systemRegistryFiles().empty());
}

TEST(SystemRegistryTest, TheInstallationIsFoundFromItsLibraryFolder) {
    struct Layout {
        const char *library;
        const char *dataFromLibrary;
        const char *registry;
    };
    for (const Layout &layout : {
             Layout{"/usr/lib/x86_64-linux-gnu/korvane/libkorvane_com.so.1", "../../../share",
                    "/usr/share/korvane/com-registry"},
             Layout{"/opt/x/lib/korvane/libkorvane_com.so.1", "../../share",
                    "/opt/x/share/korvane/com-registry"},
             Layout{"/opt/x/lib64/korvane/../korvane/libkorvane_com.so.1", "../../share",
                    "/opt/x/share/korvane/com-registry"},
             Layout{"libkorvane_com.so.1", "../../share", ""},
         }) {
        SCOPED_TRACE(layout.library);
        EXPECT_EQ(installationRegistry(layout.library, layout.dataFromLibrary).string(),
                  layout.registry);
    }
    const std::filesystem::path loaded = loadedLibraryFile();
    EXPECT_TRUE(loaded.is_absolute()) << loaded;
    EXPECT_EQ(loaded.filename(), "libkorvane_com.so.1") << "the runtime library, by its soname";
}

} // namespace
