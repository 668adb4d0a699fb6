// Movable memory blocks: GlobalAlloc and friends, as the sample-level operations use them to
// hold a whole file. A handle names a block; locking gives its address.
#pragma once

#include "base/platform_types.h"

#include <cstddef>

struct GlobalBlock;
using HGLOBAL = GlobalBlock *;
using SIZE_T = std::size_t;

inline constexpr UINT GMEM_MOVEABLE = 0x0002;

// A block of bytes (contents undefined), or nullptr when there is not enough memory.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's address, or nullptr for a null handle or an empty block.
void *GlobalLock(HGLOBAL block);
// Nonzero while the block stays locked by an earlier GlobalLock.
BOOL GlobalUnlock(HGLOBAL block);
// Gives the block back; nullptr on success, as the platform answers.
HGLOBAL GlobalFree(HGLOBAL block);
