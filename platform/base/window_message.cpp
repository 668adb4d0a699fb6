// The process-wide table of message windows behind PostMessageA.
#include "base/window_message.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct WindowTable {
    std::mutex lock;
    std::unordered_map<uintptr_t, MessageQueueFunction> windows;
    uintptr_t lastHandle = 0;
};

WindowTable &windowTable() {
    static WindowTable table;
    return table;
}

uintptr_t handleValue(HWND hwnd) {
    return reinterpret_cast<uintptr_t>(hwnd);
}

} // namespace

HWND RegisterMessageWindow(MessageQueueFunction queue) {
    WindowTable &table = windowTable();
    const std::lock_guard guard(table.lock);
    try {
        const uintptr_t handle = table.lastHandle + 1;
        table.windows.emplace(handle, std::move(queue));
        table.lastHandle = handle;
        return reinterpret_cast<HWND>(handle);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void UnregisterMessageWindow(HWND hwnd) {
    WindowTable &table = windowTable();
    const std::lock_guard guard(table.lock);
    table.windows.erase(handleValue(hwnd));
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowTable &table = windowTable();
    const std::lock_guard guard(table.lock);
    const auto window = table.windows.find(handleValue(hwnd));
    if (window == table.windows.end())
        return 0;
    window->second(message, wParam, lParam);
    return 1;
}

BOOL IsWindow(HWND hwnd) {
    WindowTable &table = windowTable();
    const std::lock_guard guard(table.lock);
    return table.windows.count(handleValue(hwnd)) != 0 ? 1 : 0;
}
