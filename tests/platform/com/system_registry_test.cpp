// The installation's registry adds what the user's lacks and never overrides it; a private
// registry stands alone.
#include "com/system_registry.h"
#include "temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(SystemRegistryTest, UserKeysWinAndTheRestIsAdded) {
    RegistryTree user;
    RegistryTree system;
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\InprocServer32]\n@=\"/home/me/a.so\"\n", user),
              S_OK);
    ASSERT_EQ(RegistryTree::parse("[CLSID\\{A}\\InprocServer32]\n@=\"/usr/lib/a.so\"\n"
                                  "[CLSID\\{B}\\InprocServer32]\n@=\"/usr/lib/b.so\"\n",
                                  system),
              S_OK);
    mergeSystemKeys(system, user);
    EXPECT_EQ(user.value("CLSID\\{A}\\InprocServer32"), "/home/me/a.so");
    EXPECT_EQ(user.value("CLSID\\{B}\\InprocServer32"), "/usr/lib/b.so");
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
