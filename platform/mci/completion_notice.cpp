// Pending and posted completion notices.
#include "mci/completion_notice.h"

#include "mci/mci_constants.h"
#include "mci/mci_trace.h"

#include <utility>

std::optional<CompletionNotice> PendingNotice::replace(CompletionNotice notice) {
    return std::exchange(m_notice, notice);
}

std::optional<CompletionNotice> PendingNotice::take() {
    return std::exchange(m_notice, std::nullopt);
}

void postNotices(const NoticesToPost &notices) {
    for (const NoticeToPost &post : notices) {
        if (post.notice.callback == nullptr)
            continue;
        PostMessageA(post.notice.callback, MM_MCINOTIFY, post.flag,
                     static_cast<LPARAM>(post.notice.deviceId));
        mciTrace("notice %lu posted for device %u", static_cast<unsigned long>(post.flag),
                 post.notice.deviceId);
    }
}
