// When the looping background music starts again after a play has ended: at once after a
// play that played, however short, so the loop stays seamless; only after a pause after a play
// that failed or had nothing to play, so that a lost device or a file of no frames is tried
// now and then instead of in a spin, and the music comes back when the device does.
#pragma once

#include "one_shot_timer.h"

#include <chrono>
#include <functional>

namespace korvane {

class MusicRestart {
  public:
    enum class PlayEnd {
        Played,        // the play ran, whether to its end or cut short
        Failed,        // the device could not carry it on
        NothingToPlay, // the sound has no frames
    };

    // restart rewinds the music and plays it from the start; pause times the waits.
    MusicRestart(OneShotTimer &pause, std::function<void()> restart);
    MusicRestart(const MusicRestart &) = delete;
    MusicRestart &operator=(const MusicRestart &) = delete;

    void playEnded(PlayEnd end);
    // The music was turned off: a restart that waits is dropped, and the pauses start short
    // again.
    void cancel();

  private:
    OneShotTimer &m_pause;
    std::function<void()> m_restart;
    std::chrono::milliseconds m_nextPause;
};

} // namespace korvane
