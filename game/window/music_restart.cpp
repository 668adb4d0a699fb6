// The pauses double from one second to half a minute while plays keep failing or finding
// nothing to play, and a play that played makes them short again.
#include "music_restart.h"

#include <algorithm>
#include <utility>

namespace korvane {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kFirstPause{1000};
constexpr milliseconds kLongestPause{30000};

} // namespace

MusicRestart::MusicRestart(OneShotTimer &pause, std::function<void()> restart)
    : m_pause(pause)
    , m_restart(std::move(restart))
    , m_nextPause(kFirstPause) {
}

void MusicRestart::playEnded(PlayEnd end) {
    // A restart is already on its way; the notice of a play it replaced changes nothing.
    if (m_pause.isActive())
        return;
    if (end == PlayEnd::Played) {
        m_nextPause = kFirstPause;
        m_restart();
        return;
    }
    m_pause.start(m_nextPause, m_restart);
    m_nextPause = std::min(m_nextPause * 2, kLongestPause);
}

void MusicRestart::cancel() {
    m_pause.stop();
    m_nextPause = kFirstPause;
}

} // namespace korvane
