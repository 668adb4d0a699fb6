// Movable blocks over malloc: nothing moves on Linux, so a lock only counts.
#include "files/movable_memory.h"

#include <cstdlib>
#include <new>

struct GlobalBlock {
    void *data;
    int lockCount;
};

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
    void *data = bytes == 0 ? nullptr : std::malloc(bytes);
    if (bytes != 0 && data == nullptr)
        return nullptr;
    auto *block = new (std::nothrow) GlobalBlock{data, 0};
    if (block == nullptr)
        std::free(data);
    return block;
}

void *GlobalLock(HGLOBAL block) {
    if (block == nullptr || block->data == nullptr)
        return nullptr;
    ++block->lockCount;
    return block->data;
}

BOOL GlobalUnlock(HGLOBAL block) {
    if (block == nullptr || block->lockCount == 0)
        return 0;
    return --block->lockCount > 0 ? 1 : 0;
}

HGLOBAL GlobalFree(HGLOBAL block) {
    if (block != nullptr) {
        std::free(block->data);
        delete block;
    }
    return nullptr;
}
