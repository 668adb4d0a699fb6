// The handler only notes the signal and writes a byte to a pipe, all it may safely do; the
// event loop reads the pipe and quits. A signal that comes while a long call runs without the
// event loop is acted on when the call returns, and the handler gives the signals it catches
// their default action back, so a second signal ends the process at once.
#include "activex/termination_signal.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_caught = 0;
// Set before the handlers are installed, cleared after they are gone.
volatile std::sig_atomic_t g_wakeFd = -1;

constexpr int kShellSignalBase = 128;

extern "C" void onTerminationSignal(int signal) {
    const int savedErrno = errno;
    if (g_caught == 0)
        g_caught = signal;
    for (const int each : TerminationSignal::kSignals) {
        struct sigaction current {};
        if (::sigaction(each, nullptr, &current) == 0 &&
            current.sa_handler == onTerminationSignal) {
            current.sa_handler = SIG_DFL;
            ::sigaction(each, &current, nullptr);
        }
    }
    const char wake = 0;
    // The pipe never blocks; when it is full, a wake-up is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_wakeFd, &wake, 1);
    errno = savedErrno;
}

bool ignored(const struct sigaction &action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

} // namespace

TerminationSignal::TerminationSignal() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_wakeRead = FileDescriptor(ends[0]);
    m_wakeWrite = FileDescriptor(ends[1]);
    g_caught = 0;
    g_wakeFd = m_wakeWrite.get();
    m_notifier = std::make_unique<QSocketNotifier>(m_wakeRead.get(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { onWake(); });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read of a script line from a terminal or a pipe gives way to the signal.
    action.sa_flags = 0;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &m_previous[i]);
        if (!ignored(m_previous[i]))
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

TerminationSignal::~TerminationSignal() {
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    g_wakeFd = -1;
}

int TerminationSignal::exitStatus() {
    return g_caught == 0 ? 0 : kShellSignalBase + g_caught;
}

void TerminationSignal::onWake() {
    char drained[16];
    while (::read(m_wakeRead.get(), drained, sizeof drained) > 0) {
    }
    // Quits every event loop running now, nested ones too, and makes any later one return at
    // once, so that what was interrupted runs to its end without waiting on anything.
    QCoreApplication::exit(exitStatus());
}
