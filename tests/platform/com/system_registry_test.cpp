// The installation's registry adds what the user's lacks and overrides only an entry whose
// module is gone; a private registry stands alone.
#include "com/system_registry.h"
#include "temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// The user registered a build in a clone since deleted ({A}) and a module that is still there
// ({B}): the installation's entry replaces only the one whose module is gone, with one trace
// line, and adds what the user lacks ({C}).
TEST(SystemRegistryTest, UserKeysWinUnlessTheirModuleIsGone) {
    setenv("KORVANE_TRACE", "mci,com", 1);
    const TemporaryFolder home;
    std::ofstream(home.file("b.so")) << "module";
    RegistryTree user;
    RegistryTree system;
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\inprocserver32]\n@=\"" + home.file("clone/a.so") +
                                      "\"\n[CLSID\\{B}\\InprocServer32]\n@=\"" + home.file("b.so") +
                                      "\"\n",
                                  user),
              S_OK);
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\InprocServer32]\n@=\"/usr/lib/a.so\"\n"
                                  "[CLSID\\{B}\\InprocServer32]\n@=\"/usr/lib/b.so\"\n"
                                  "[CLSID\\{C}\\InprocServer32]\n@=\"/usr/lib/c.so\"\n",
                                  system),
              S_OK);
    testing::internal::CaptureStderr();
    mergeSystemKeys(system, user);
    const std::string trace = testing::internal::GetCapturedStderr();
    EXPECT_EQ(user.value("CLSID\\{A}\\InprocServer32"), "/usr/lib/a.so");
    EXPECT_EQ(user.value("CLSID\\{B}\\InprocServer32"), home.file("b.so"));
    EXPECT_EQ(user.value("CLSID\\{C}\\InprocServer32"), "/usr/lib/c.so");
    EXPECT_EQ(trace, "com: skipped the user's entry [CLSID\\{A}\\InprocServer32]: its module " +
                         home.file("clone/a.so") +
                         " no longer exists; the installation's entry is used\n");
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

} // namespace
