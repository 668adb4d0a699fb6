// Starting Qt: with a display when one is named and can be reached, otherwise without one.
#include "application_start.h"

#include <QApplication>
#include <QByteArray>
#include <QLoggingCategory>
#include <cstdlib>
#include <string_view>

namespace {

bool isSet(const char *name) {
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Platforms on which a dialog would wait for a click nobody can give.
bool isHeadless(std::string_view platform) {
    return platform.starts_with("offscreen") || platform.starts_with("minimal");
}

bool displayNamed() {
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && isHeadless(platform))
        return false;
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

// Qt tries each platform of a ';'-separated list in turn and aborts when none starts; ending
// the list with offscreen makes a named but unreachable display a headless run instead.
void addHeadlessFallback() {
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        platforms = isSet("WAYLAND_DISPLAY") ? "wayland;xcb" : "xcb";
    qputenv("QT_QPA_PLATFORM", platforms + ";offscreen");
}

} // namespace

std::unique_ptr<QCoreApplication> startApplication(int &argc, char **argv, bool &canShowDialogs) {
    canShowDialogs = false;
    if (!displayNamed())
        return std::make_unique<QCoreApplication>(argc, argv);
    addHeadlessFallback();
    // The platforms that fail to start would explain so on stderr; the one line that matters,
    // that AboutBox shows nothing, comes later from the script runner.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
    auto application = std::make_unique<QApplication>(argc, argv);
    QLoggingCategory::setFilterRules(QString());
    canShowDialogs = !isHeadless(QGuiApplication::platformName().toStdString());
    return application;
}
