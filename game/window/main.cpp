// Korvane starts with its splash window, which hands over to the main window.
#include "frm_main.h"
#include "frm_splash.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    korvane::frmSplash splash([] { return std::make_unique<korvane::frmMain>(); });
    splash.show();
    return QApplication::exec();
}
