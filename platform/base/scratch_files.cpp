// One table for the process, in the shared base library, so that the control that marks a
// file and the media device that saves into it see the same names.
#include "base/scratch_files.h"

#include <mutex>
#include <set>

namespace {

struct ScratchTable {
    std::mutex lock;
    // Guarded by lock. A handful at most: one working copy per control instance.
    std::set<std::string> names;
};

// Never destroyed: a control destroyed during the process's exit still forgets its file.
ScratchTable &table() {
    static ScratchTable *const scratch = new ScratchTable;
    return *scratch;
}

} // namespace

void MarkScratchFile(const std::string &path) {
    const std::lock_guard guard(table().lock);
    table().names.insert(path);
}

void ForgetScratchFile(const std::string &path) {
    const std::lock_guard guard(table().lock);
    table().names.erase(path);
}

bool IsScratchFile(const std::string &path) {
    const std::lock_guard guard(table().lock);
    return table().names.contains(path);
}
