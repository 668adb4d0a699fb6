// What a long run could leak: open file descriptors, files left in the private temporary
// folder, and resident memory.
#pragma once

#include <string>

struct ResourceUse {
    long fileDescriptors = 0;
    long temporaryFiles = 0;
    long residentKiB = 0;
};

// Freed heap memory is handed back to the system first, so the resident size counts what is
// still held rather than what the allocator keeps for later.
ResourceUse measureResourceUse(const std::string &temporaryFolder);
