// Ending a host in order on SIGINT, SIGTERM or SIGHUP, as at a desktop log-out: its event loops
// quit and its teardown runs, which releases its controls and unloads their modules, and so
// deletes their temporary files.
#pragma once

#include "base/file_descriptor.h"

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <memory>

class TerminationSignal {
  public:
    // Catches the three signals until destroyed, except one that the process was started with
    // ignored (as under nohup). Needs the application object; one at a time in a process.
    // Without a pipe (no descriptor left) the signals keep their default action.
    TerminationSignal();
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal &) = delete;
    TerminationSignal &operator=(const TerminationSignal &) = delete;

    // The status to end with once a signal was caught, 128 + its number as shells report it;
    // 0 before. Code that runs long without the event loop asks it when it returns.
    static int exitStatus();

    static constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

  private:
    void onWake();

    FileDescriptor m_wakeRead{-1};
    FileDescriptor m_wakeWrite{-1};
    std::array<struct sigaction, kSignals.size()> m_previous{};
    std::unique_ptr<QSocketNotifier> m_notifier;
};
