// The process's one break key and the waits that watch it.
#include "base/break_key.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

// Held while a watch joins or leaves the list and while each onPress runs.
std::mutex g_watchLock;
BreakKeyWatch *g_firstWatch = nullptr; // guarded by g_watchLock
std::atomic<bool> g_pressed{false};

} // namespace

void PressBreakKey() {
    const std::lock_guard guard(g_watchLock);
    // Down before any watch wakes, so that a woken wait sees it.
    g_pressed = true;
    for (BreakKeyWatch *watch = g_firstWatch; watch != nullptr; watch = watch->m_next)
        watch->m_onPress();
}

void ReleaseBreakKey() {
    g_pressed = false;
}

bool BreakKeyPressed() {
    return g_pressed;
}

bool InBreakablePieces(std::size_t total, std::size_t piece,
                       const std::function<bool(std::size_t first, std::size_t count)> &work) {
    for (std::size_t first = 0; first < total; first += piece) {
        if (first > 0 && BreakKeyPressed())
            return false;
        if (!work(first, std::min(piece, total - first)))
            return false;
    }
    return true;
}

BreakKeyWatch::BreakKeyWatch(std::function<void()> onPress)
    : m_onPress(std::move(onPress)) {
    const std::lock_guard guard(g_watchLock);
    m_next = g_firstWatch;
    if (m_next != nullptr)
        m_next->m_previous = this;
    g_firstWatch = this;
}

BreakKeyWatch::~BreakKeyWatch() {
    const std::lock_guard guard(g_watchLock);
    if (m_previous != nullptr)
        m_previous->m_next = m_next;
    else
        g_firstWatch = m_next;
    if (m_next != nullptr)
        m_next->m_previous = m_previous;
}
