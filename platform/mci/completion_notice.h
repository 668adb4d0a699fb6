// The completion message of a command sent with notify: who gets it and for which device, the
// one notice a session may hold pending, and the posting of notices once no lock is held.
#pragma once

#include "base/window_message.h"
#include "mci/mci_types.h"

#include <optional>
#include <vector>

struct CompletionNotice {
    HWND callback; // may be null: such a notice still supersedes, but posts nothing
    UINT deviceId;
};

// A notice and the flag (MCI_NOTIFY_*) it is to be posted with.
struct NoticeToPost {
    CompletionNotice notice;
    WPARAM flag;
};

using NoticesToPost = std::vector<NoticeToPost>;

// The one pending notice of a session: a later one takes its place, and whoever ends the
// command (its stream, a stop, a later notify) takes it out, so it is posted exactly once.
// Not synchronised: its owner's lock guards it.
class PendingNotice {
  public:
    // Holds notice and gives back the one it replaces.
    std::optional<CompletionNotice> replace(CompletionNotice notice);
    std::optional<CompletionNotice> take();

  private:
    std::optional<CompletionNotice> m_notice;
};

// Posts each notice as MM_MCINOTIFY. Call with no lock of the device held: the window's queue
// takes locks of its own.
void postNotices(const NoticesToPost &notices);
