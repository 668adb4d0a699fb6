#include "event_wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace korvane {

void waitProcessingEvents(std::chrono::steady_clock::duration maxWait) {
    using std::chrono::milliseconds;
    // QTimer counts in int milliseconds; a longer wait is cut to what it can hold.
    const milliseconds wait = std::min(std::chrono::ceil<milliseconds>(maxWait),
                                       milliseconds(std::numeric_limits<int>::max()));
    if (wait <= milliseconds::zero()) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace korvane
