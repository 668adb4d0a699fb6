// Ending a host in order on SIGINT, SIGTERM or SIGHUP, as at a desktop log-out: its event loops
// quit, a command waiting in a device is broken off, and its teardown runs, which releases its
// controls and unloads their modules, and so deletes their temporary files.
#pragma once

#include "base/file_descriptor.h"

#include <array>
#include <csignal>
#include <thread>

class TerminationSignal {
  public:
    // Catches the three signals until destroyed, except one that the process was started with
    // ignored (as under nohup). Needs the application object; one at a time in a process.
    // Without a pipe or a thread (none left) the signals keep their default action.
    TerminationSignal();
    ~TerminationSignal();
    TerminationSignal(const TerminationSignal &) = delete;
    TerminationSignal &operator=(const TerminationSignal &) = delete;

    // The status to end with once a signal was caught, 128 + its number as shells report it;
    // 0 before. Code that runs long without the event loop asks it when it returns.
    static int exitStatus();

    // Becomes readable once a signal was caught and stays so, for a blocking wait (a poll on
    // the input) that must give way to it; -1 when the signals are not caught.
    int caughtDescriptor() const { return m_caughtRead.get(); }

    static constexpr std::array kSignals{SIGINT, SIGTERM, SIGHUP};

  private:
    void watch();

    FileDescriptor m_wakeRead{-1};
    FileDescriptor m_wakeWrite{-1};
    FileDescriptor m_caughtRead{-1};
    FileDescriptor m_caughtWrite{-1};
    std::array<struct sigaction, kSignals.size()> m_previous{};
    std::thread m_watcher;
};
