// The guarded ranges are a fixed table of atomics, since the signal handler may take no lock;
// only registering and releasing a range take the mutex.
#include "mci/mapping_guard.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Far more sessions than a program holds open.
constexpr std::size_t kRanges = 1024;

struct Range {
    std::atomic<uintptr_t> start{0}; // 0 for a free entry
    std::atomic<uintptr_t> end{0};
};

std::array<Range, kRanges> g_ranges;
std::mutex g_registering; // guards claiming and freeing entries, not reading them
struct sigaction g_previous {};
uintptr_t g_pageSize = 0;

bool guarded(uintptr_t address) {
    for (const Range &range : g_ranges) {
        const uintptr_t start = range.start.load(std::memory_order_acquire);
        if (start != 0 && address >= start && address < range.end.load(std::memory_order_relaxed))
            return true;
    }
    return false;
}

void onBusError(int signal, siginfo_t *info, void *) {
    const auto address = reinterpret_cast<uintptr_t>(info->si_addr);
    if (info->si_code == BUS_ADRERR && guarded(address)) {
        void *page = reinterpret_cast<void *>(address & ~(g_pageSize - 1));
        if (::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED)
            return;
    }
    // Not ours: the previous disposition meets the fault again when the access is retried.
    ::sigaction(signal, &g_previous, nullptr);
}

void install() {
    g_pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previous);
}

} // namespace

bool guardMapping(const void *address, std::size_t length) {
    static std::once_flag installed;
    std::call_once(installed, install);
    const std::lock_guard lock(g_registering);
    for (Range &range : g_ranges) {
        if (range.start.load(std::memory_order_relaxed) != 0)
            continue;
        const auto start = reinterpret_cast<uintptr_t>(address);
        range.end.store(start + length, std::memory_order_relaxed);
        range.start.store(start, std::memory_order_release);
        return true;
    }
    return false;
}

void unguardMapping(const void *address) {
    const std::lock_guard lock(g_registering);
    for (Range &range : g_ranges) {
        if (range.start.load(std::memory_order_relaxed) == reinterpret_cast<uintptr_t>(address))
            range.start.store(0, std::memory_order_release);
    }
}
