// theme_icon_export: writes the program's icon for the hicolor icon theme, run at build time:
// a PNG file for each size and one scalable SVG drawing, all painted by the window's own code.
// Usage: theme_icon_export FOLDER SIZE...  (FOLDER/SIZExSIZE.png each, and FOLDER/scalable.svg)
#include "icon_art.h"

#include <QGuiApplication>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>

namespace {

// The drawing's own square, in the units of a 48-pixel icon, the theme's reference size.
constexpr int kScalableUnits = 48;

bool writeScalableIcon(const QString &path) {
    QSvgGenerator drawing;
    drawing.setFileName(path);
    drawing.setSize(QSize(kScalableUnits, kScalableUnits));
    drawing.setViewBox(QRect(0, 0, kScalableUnits, kScalableUnits));
    drawing.setTitle(QStringLiteral("Korvane"));
    QPainter painter;
    if (!painter.begin(&drawing))
        return false;
    korvane::paintThemeIcon(painter, kScalableUnits);
    return painter.end();
}

int cannotWrite(const QString &path) {
    std::fprintf(stderr, "theme_icon_export: cannot write %s\n", qPrintable(path));
    return 1;
}

} // namespace

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
        if (size <= 0 || !korvane::drawThemeIcon(size).save(path, "PNG"))
            return cannotWrite(path);
    }
    const QString scalable = QStringLiteral("%1/scalable.svg").arg(argv[1]);
    return writeScalableIcon(scalable) ? 0 : cannotWrite(scalable);
}
