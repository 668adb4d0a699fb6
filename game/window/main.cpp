// Korvane starts with its splash window, which hands over to the main window.
#include "activex/termination_signal.h"
#include "command_line.h"
#include "frm_main.h"
#include "frm_splash.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[]) {
    // Answered before Qt starts, which would want a display.
    if (const auto status = korvane::answerInformationOption(argc, argv))
        return *status;
    QApplication application(argc, argv);
    // The name of the installed desktop entry, which lets the desktop show the game's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    // At a log-out (SIGTERM, SIGHUP) or an interrupt the event loop quits and the windows go
    // before main returns, so the music's control is released and its module ends in order.
    const TerminationSignal termination;
    korvane::frmSplash splash([] { return std::make_unique<korvane::frmMain>(); });
    splash.show();
    return QApplication::exec();
}
