// The break key with which a user breaks a command that waits, as the platform offered it. A
// host presses it when it must end (a signal asked it to): a wait in progress returns at once,
// and so does every wait that starts while the key is down.
#pragma once

#include <cstddef>
#include <functional>

// From any thread, but not from a signal handler: a press takes locks and wakes each watch.
void PressBreakKey();
void ReleaseBreakKey();
bool BreakKeyPressed();

// Calls work(first, count) on consecutive pieces of [0, total), each of at most piece, until
// work returns false or, from the second piece on, the key is down; true when every piece was
// done. The first piece always runs, so that a job too short to need breaking is never broken.
bool InBreakablePieces(std::size_t total, std::size_t piece,
                       const std::function<bool(std::size_t first, std::size_t count)> &work);

// Calls onPress, on the pressing thread, for each press while it lives. Once the destructor
// has returned, onPress is not running and is never called again.
class BreakKeyWatch {
  public:
    explicit BreakKeyWatch(std::function<void()> onPress);
    ~BreakKeyWatch();
    BreakKeyWatch(const BreakKeyWatch &) = delete;
    BreakKeyWatch &operator=(const BreakKeyWatch &) = delete;

  private:
    friend void PressBreakKey();

    std::function<void()> m_onPress;
    // A list through the watches themselves, so that starting a wait never allocates.
    BreakKeyWatch *m_previous = nullptr;
    BreakKeyWatch *m_next = nullptr;
};
