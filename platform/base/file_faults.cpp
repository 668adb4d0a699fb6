// The armed faults, their call counts and the paths of descriptors opened while armed.
#include "base/file_faults.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

struct ArmedFault {
    FileFault fault;
    int seen = 0;
};

struct FaultTable {
    std::mutex lock;
    // Guarded by lock.
    std::vector<ArmedFault> faults;
    // Guarded by lock.
    std::unordered_map<int, std::string> paths;
};

// Read without the lock, so that the unarmed path costs nothing more.
std::atomic<bool> g_armed{false};

FaultTable &faultTable() {
    static FaultTable table;
    return table;
}

bool strikes(FileCall call, const std::string &path) {
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    for (ArmedFault &armed : table.faults) {
        const FileFault &fault = armed.fault;
        if (fault.call != call || path.find(fault.pathPart) == std::string::npos)
            continue;
        ++armed.seen;
        if (armed.seen == fault.nth || (fault.sticky && armed.seen > fault.nth)) {
            errno = fault.error;
            return true;
        }
    }
    return false;
}

std::string rememberedPath(int fd) {
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    const auto found = table.paths.find(fd);
    return found != table.paths.end() ? found->second : std::string();
}

} // namespace

void armFileFault(const FileFault &fault) {
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    table.faults.push_back({fault});
    g_armed.store(true, std::memory_order_relaxed);
}

void disarmFileFaults() {
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    g_armed.store(false, std::memory_order_relaxed);
    table.faults.clear();
    table.paths.clear();
}

bool fileFaultStrikes(FileCall call, const char *path) {
    if (!g_armed.load(std::memory_order_relaxed))
        return false;
    return strikes(call, path != nullptr ? path : "");
}

bool fileFaultStrikes(FileCall call, int fd) {
    if (!g_armed.load(std::memory_order_relaxed))
        return false;
    return strikes(call, rememberedPath(fd));
}

bool fileFaultStrikes(FileCall call, int folder, const char *name) {
    if (!g_armed.load(std::memory_order_relaxed))
        return false;
    return strikes(call, rememberedPath(folder) + '/' + name);
}

void rememberFaultPath(int fd, const char *path) {
    if (fd < 0 || !g_armed.load(std::memory_order_relaxed))
        return;
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    table.paths[fd] = path;
}

void rememberFaultPath(int fd, int folder, const char *name) {
    if (fd < 0 || !g_armed.load(std::memory_order_relaxed))
        return;
    const std::string path = rememberedPath(folder) + '/' + name;
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    table.paths[fd] = path;
}

void forgetFaultPath(int fd) {
    if (!g_armed.load(std::memory_order_relaxed))
        return;
    FaultTable &table = faultTable();
    const std::lock_guard guard(table.lock);
    table.paths.erase(fd);
}
