// The hold is not a step of the caller's work, so its calls bypass the fault seam: failing to
// hold a file only means freeing it on the caller's path, as without the hold.
#include "base/background_release.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

// Below this a file is freed in well under a millisecond, less than starting a thread costs.
constexpr off_t kWorthHolding = off_t{16} << 20;

} // namespace

HeldFile::HeldFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= kWorthHolding)
        m_fd = fd;
    else
        ::close(fd);
}

HeldFile::~HeldFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void HeldFile::releaseInBackground() {
    if (m_fd < 0)
        return;
    const int fd = std::exchange(m_fd, -1);
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error &) {
        ::close(fd);
    }
}
