// The floor for a Qt host's start-up: a program linked with Qt Widgets that makes a core
// application object and returns, timed beside nelowav by bench/tools/nelowav_start.sh.
#include <QCoreApplication>

int main(int argc, char **argv) {
    const QCoreApplication application(argc, argv);
    return 0;
}
