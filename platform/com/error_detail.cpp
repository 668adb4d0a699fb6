// The per-thread text behind the runtime's last failure.
#include "com/error_detail.h"

#include <cstring>
#include <utility>

namespace {
// Per thread, so that a failure on one thread never explains another thread's code.
thread_local std::string t_lastErrorDetail;
} // namespace

void setLastErrorDetail(std::string text) {
    t_lastErrorDetail = std::move(text);
}

void clearLastErrorDetail() {
    t_lastErrorDetail.clear();
}

const std::string &lastErrorDetail() {
    return t_lastErrorDetail;
}

void setLastSystemErrorDetail(const std::string &what, int errnoValue) {
    setLastErrorDetail(what + ": " + std::strerror(errnoValue));
}
