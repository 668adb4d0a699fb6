// The handler only notes the signal and writes a byte to a pipe, all it may safely do. A thread
// of its own reads the pipe, since the host's thread may be blocked in a wait of the device: it
// presses the break key, which ends that wait, and asks the event loop to quit. The handler
// gives the signals it catches their default action back, so a second signal ends the process
// at once.
#include "activex/termination_signal.h"

#include "base/break_key.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_caught = 0;
// Set before the handlers are installed, cleared after they are gone.
volatile std::sig_atomic_t g_wakeFd = -1;

constexpr int kShellSignalBase = 128;
constexpr char kCaughtByte = 0;
constexpr char kStopByte = 1;

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
    // The pipe never blocks the handler; when it is full, a wake-up is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_wakeFd, &kCaughtByte, 1);
    errno = savedErrno;
}

bool ignored(const struct sigaction &action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

bool makePipe(FileDescriptor &readEnd, FileDescriptor &writeEnd) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return false;
    readEnd = FileDescriptor(ends[0]);
    writeEnd = FileDescriptor(ends[1]);
    return ::fcntl(ends[1], F_SETFL, O_NONBLOCK) == 0;
}

void sendByte(const FileDescriptor &writeEnd, char byte) {
    [[maybe_unused]] const ssize_t written = ::write(writeEnd.get(), &byte, 1);
}

} // namespace

TerminationSignal::TerminationSignal() {
    if (!makePipe(m_wakeRead, m_wakeWrite) || !makePipe(m_caughtRead, m_caughtWrite))
        return;
    try {
        m_watcher = std::thread([this] { watch(); });
    } catch (const std::system_error &) {
        return;
    }
    g_caught = 0;
    g_wakeFd = m_wakeWrite.get();

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking call of the thread the signal lands on gives way to it, such
    // as a write to an output pipe that nobody drains.
    action.sa_flags = 0;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &m_previous[i]);
        if (!ignored(m_previous[i]))
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

TerminationSignal::~TerminationSignal() {
    if (!m_watcher.joinable())
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    g_wakeFd = -1;
    sendByte(m_wakeWrite, kStopByte);
    m_watcher.join();
}

int TerminationSignal::exitStatus() {
    return g_caught == 0 ? 0 : kShellSignalBase + g_caught;
}

void TerminationSignal::watch() {
    char byte = 0;
    for (;;) {
        const ssize_t got = ::read(m_wakeRead.get(), &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || byte == kStopByte)
            return;
        sendByte(m_caughtWrite, kCaughtByte);
        PressBreakKey();
        // Quits every event loop running then, nested ones too, and makes any later one
        // return at once, so that what was interrupted runs to its end without waiting.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(exitStatus()); },
            Qt::QueuedConnection);
    }
}
