// Which files the device takes its SDL back end from: the same rule as for every control.
#include "mci/sdl_backend_module.h"
#include "temporary_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

TEST(BackendModuleTest, RefusesABareNameAndAFileEveryUserCouldChange) {
    TemporaryFolder folder;
    const fs::path open = folder.path() / "open";
    fs::create_directory(open);
    fs::permissions(open, fs::perms::all);
    fs::copy_file(KORVANE_SDL_BACKEND_MODULE, open / kSdlBackendModule);
    struct Case {
        std::string path;
        std::string reason;
    };
    for (const Case &refused :
         {Case{kSdlBackendModule, "is not absolute"},
          Case{(open / kSdlBackendModule).string(), "writable by every user"}}) {
        std::string why;
        EXPECT_EQ(loadBackendModule(refused.path, why), nullptr) << refused.path;
        EXPECT_NE(why.find(refused.reason), std::string::npos) << why;
    }
    std::string why;
    EXPECT_NE(loadBackendModule(KORVANE_SDL_BACKEND_MODULE, why), nullptr) << why;
}
