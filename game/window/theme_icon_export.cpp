// theme_icon_export: writes the program's icon as PNG files for the hicolor icon theme,
// run at build time. Usage: theme_icon_export FOLDER SIZE...  (FOLDER/SIZExSIZE.png each)
#include "icon_art.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>

int main(int argc, char *argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fputs("usage: theme_icon_export FOLDER SIZE...\n", stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = QString(argv[i]).toInt();
        const QString path = QStringLiteral("%1/%2x%2.png").arg(argv[1]).arg(size);
        if (size <= 0 || !korvane::drawThemeIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "theme_icon_export: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
