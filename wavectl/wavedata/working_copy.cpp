// Only the host's Save must reach the disk before it answers: a working copy is marked as
// scratch for the device's save, since it is worth nothing after a crash.
#include "wavedata/working_copy.h"

#include "base/scratch_files.h"
#include "wavedata/scratch_file.h"

#include <utility>

WorkingCopy::~WorkingCopy() {
    dropNext();
    dropCurrent();
}

bool WorkingCopy::makeNext() {
    dropNext();
    m_strNextWorkFile = MakeTemporaryFile("wav");
    if (m_strNextWorkFile.empty())
        return false;
    MarkScratchFile(m_strNextWorkFile);
    return true;
}

void WorkingCopy::takeNext() {
    dropCurrent();
    m_strWorkFile = std::exchange(m_strNextWorkFile, {});
}

void WorkingCopy::dropNext() {
    if (!m_strNextWorkFile.empty())
        DeleteWorkingCopy(std::exchange(m_strNextWorkFile, {}));
}

void WorkingCopy::dropCurrent() {
    if (!m_strWorkFile.empty())
        DeleteWorkingCopy(std::exchange(m_strWorkFile, {}));
}
