// Runs a test program's GoogleTest cases inside an offscreen widget application, with a
// private runtime folder and a private registry file, both removed afterwards.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char **argv) {
    char runtimeTemplate[] = "/tmp/korvane-test-XXXXXX";
    const char *privateFolder = mkdtemp(runtimeTemplate);
    if (privateFolder == nullptr)
        return 2;
    setenv("XDG_RUNTIME_DIR", privateFolder, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KORVANE_COM_REGISTRY", (std::string(privateFolder) + "/com-registry").c_str(), 1);
    int result = 0;
    {
        QApplication application(argc, argv);
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::filesystem::remove_all(privateFolder);
    return result;
}
