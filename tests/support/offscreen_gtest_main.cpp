// Runs a test program's GoogleTest cases inside an offscreen widget application, with a
// private runtime folder and a private registry file, both removed afterwards.
#include "temporary_folder.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    const TemporaryFolder privateFolder;
    setenv("XDG_RUNTIME_DIR", privateFolder.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KORVANE_COM_REGISTRY", privateFolder.file("com-registry").c_str(), 1);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
