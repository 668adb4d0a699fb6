// Korvane starts with its splash window, which hands over to the main window.
#include "frm_main.h"
#include "frm_splash.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // The name of the installed desktop entry, which lets the desktop show the game's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    korvane::frmSplash splash([] { return std::make_unique<korvane::frmMain>(); });
    splash.show();
    return QApplication::exec();
}
