// Movable blocks over malloc: nothing moves on Linux, so a lock only counts.
#include "files/movable_memory.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

struct GlobalBlock {
    void *data;
    int lockCount;
};

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Blocks of this size hold whole sound files, which are read into them at once. In small pages
// that read takes one fault per 4 KiB, which costs more than the copying itself; huge pages
// take one per 2 MiB where the system allows them.
void *allocate(std::size_t bytes) {
    if (bytes < kHugePage)
        return std::malloc(bytes);
    if (bytes > SIZE_MAX - kHugePage)
        return nullptr;
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void *data = std::aligned_alloc(kHugePage, rounded);
    if (data != nullptr)
        ::madvise(data, rounded, MADV_HUGEPAGE);
    return data;
}

} // namespace

HGLOBAL GlobalAlloc(UINT, SIZE_T bytes) {
    void *data = bytes == 0 ? nullptr : allocate(bytes);
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
