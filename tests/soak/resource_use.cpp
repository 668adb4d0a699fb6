// Reading the process's resource use from /proc.
#include "resource_use.h"

#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace {

long entriesIn(const std::string &folder) {
    long count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

long residentKiB() {
    long size = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> size >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

ResourceUse measureResourceUse(const std::string &temporaryFolder) {
    ::malloc_trim(0);
    ResourceUse use;
    // The iterator's own descriptor is open while it counts.
    use.fileDescriptors = entriesIn("/proc/self/fd") - 1;
    use.temporaryFiles = entriesIn(temporaryFolder);
    use.residentKiB = residentKiB();
    return use;
}
