// When the looping background music starts again after a play has ended: at once after a
// whole play, so the loop stays seamless; only after a pause after a play that failed or that
// ended almost as soon as it began, so that a lost device or a file of no frames is tried now
// and then instead of in a spin, and the music comes back when the device does.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>

namespace korvane {

class MusicRestart {
  public:
    // restart rewinds the music and plays it from the start, telling playStarted(true).
    explicit MusicRestart(std::function<void()> restart);
    MusicRestart(const MusicRestart &) = delete;
    MusicRestart &operator=(const MusicRestart &) = delete;

    // A play has just been sent: from the start, or from wherever the music stood.
    void playStarted(bool fromStart);
    // The play has ended; failed when the device could not carry it on.
    void playEnded(bool failed);
    // The music was turned off: a restart that waits is dropped, and the pauses start short
    // again.
    void cancel();

  private:
    std::function<void()> m_restart;
    QTimer m_pause;
    // Running while the play started from the start; a resumed play may rightly be short.
    QElapsedTimer m_wholePlay;
    std::chrono::milliseconds m_nextPause;
};

} // namespace korvane
