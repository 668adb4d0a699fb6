// Waiting for a control's next event, for a host that runs no event loop of its own.
#include "activex/control_site.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <utility>

HRESULT ControlSite::waitForEvent(std::chrono::milliseconds timeout) {
    if (!m_sink || QCoreApplication::instance() == nullptr)
        return E_UNEXPECTED;
    // The control's window lives on the thread that created it: only that thread's loop can
    // deliver its events.
    if (std::this_thread::get_id() != m_thread)
        return RPC_E_WRONG_THREAD;
    if (m_eventsSeen == m_eventsAwaited) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(timeout);
        // A handler that waits in turn stops only its own wait.
        std::function<void()> outer = std::exchange(m_stopWaiting, [&loop] { loop.quit(); });
        loop.exec();
        m_stopWaiting = std::move(outer);
    }
    const bool arrived = m_eventsSeen != m_eventsAwaited;
    m_eventsAwaited = m_eventsSeen;
    return arrived ? S_OK : S_FALSE;
}
