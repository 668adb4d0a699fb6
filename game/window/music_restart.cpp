// The pauses double from one second to half a minute while plays keep failing or ending at
// once, and a whole play that ends as it should makes them short again.
#include "music_restart.h"

#include <algorithm>
#include <utility>

namespace korvane {
namespace {

using std::chrono::milliseconds;

// A play of no frames ends in the same turn of the event loop that started it, while even a
// very short music takes its own length to play; a play from the start that ends sooner than
// this played next to nothing.
constexpr milliseconds kEndedAtOnce{40};
constexpr milliseconds kFirstPause{1000};
constexpr milliseconds kLongestPause{30000};

} // namespace

MusicRestart::MusicRestart(std::function<void()> restart)
    : m_restart(std::move(restart))
    , m_nextPause(kFirstPause) {
    m_pause.setSingleShot(true);
    QObject::connect(&m_pause, &QTimer::timeout, &m_pause, [this] { m_restart(); });
}

void MusicRestart::playStarted(bool fromStart) {
    if (fromStart)
        m_wholePlay.start();
    else
        m_wholePlay.invalidate();
}

void MusicRestart::playEnded(bool failed) {
    // A restart is already on its way; the notice of a play it replaced changes nothing.
    if (m_pause.isActive())
        return;
    const bool endedAtOnce = m_wholePlay.isValid() && m_wholePlay.elapsed() < kEndedAtOnce.count();
    if (!failed && !endedAtOnce) {
        m_nextPause = kFirstPause;
        m_restart();
        return;
    }
    m_pause.start(m_nextPause);
    m_nextPause = std::min(m_nextPause * 2, kLongestPause);
}

void MusicRestart::cancel() {
    m_pause.stop();
    m_nextPause = kFirstPause;
}

} // namespace korvane
