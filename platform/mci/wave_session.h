// One open sound under an alias: its frames, position and mode, the play or record stream
// running on it, and the notice pending for that stream. A play ends, and its notice goes out,
// while its last frames are still queued for the stream; a play that follows at once (the
// music's rewind and restart) joins that stream behind them, so the two leave no hole.
#pragma once

#include "mci/audio_backend.h"
#include "mci/completion_notice.h"
#include "mci/device_enums.h"
#include "mci/device_fault.h"
#include "mci/play_feed.h"
#include "mci/play_in_stream.h"
#include "mci/record_capture.h"
#include "mci/sound.h"
#include "mci/wave_file.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

enum class SessionMode : uint8_t { Stopped, Playing, Recording, Paused };

using SaveSound = std::function<WaveResult<WaveSaved>(const Sound &, const std::string &path)>;

// The device calls the members below one command at a time (under its command lock), except
// waitUntilEnded, which it calls with no lock held. The back end's thread runs the stream
// callbacks meanwhile; they take m_lock.
class WaveSession : public std::enable_shared_from_this<WaveSession> {
  public:
    WaveSession(UINT deviceId, Sound sound, AudioBackend &backend);
    WaveSession(const WaveSession &) = delete;
    WaveSession &operator=(const WaveSession &) = delete;

    UINT deviceId() const { return m_deviceId; }
    const WaveFormat &format() const { return m_format; }
    TimeFormat timeFormat() const { return m_timeFormat; }
    void setTimeFormat(TimeFormat format) { m_timeFormat = format; }

    uint64_t length() const;
    uint64_t position() const;
    SessionMode mode() const;

    // Ends what runs (its notice SUPERSEDED when notice is given, else ABORTED) and plays
    // range; notice is posted when the play ends. Gives the play's id, 0 for an empty range,
    // which completes at once.
    DeviceResult<uint64_t> play(FrameRange range, std::optional<CompletionNotice> notice,
                                NoticesToPost &posts);
    // As play, recording into the sound at `at`: frameCount frames, or until stopped.
    DeviceResult<uint64_t> record(uint64_t at, std::optional<uint64_t> frameCount,
                                  std::optional<CompletionNotice> notice, NoticesToPost &posts);
    // Ends a play or record where it has got to; its notice is ABORTED. The last frames of a
    // play that has already ended are played out first.
    void stop(NoticesToPost &posts);
    DeviceResult<Ok> pause();
    DeviceResult<Ok> resume();
    void seek(uint64_t frame, NoticesToPost &posts);
    // Both end what runs only once they have succeeded.
    void erase(FrameRange range, NoticesToPost &posts);
    DeviceResult<Ok> save(const SaveSound &saveSound, const std::string &path,
                          NoticesToPost &posts);
    // A later command with notify takes the place of the pending notice.
    void supersede(NoticesToPost &posts);

    // Returns once the play or record runId no longer runs (ended, stopped or replaced): true;
    // or, with it still running, once the break key is down: false.
    bool waitUntilEnded(uint64_t runId);

  private:
    enum class Activity : uint8_t { Play, Record };

    uint64_t framesDone() const;
    void letLastFramesPlay(NoticesToPost &posts);
    bool followOnLocked(FrameRange range, std::optional<CompletionNotice> notice);
    // Ends a play or record where it has got to, posting its notice ABORTED, and hands over
    // its stream, which the caller must destroy with m_lock released.
    std::unique_ptr<AudioStream> endStreamLocked(uint64_t framesDone, NoticesToPost &posts);
    void endRunning(bool supersedeNotice, NoticesToPost &posts);
    void completeAtOnce(uint64_t position, std::optional<CompletionNotice> notice,
                        NoticesToPost &posts);
    DeviceResult<uint64_t> adoptStream(uint64_t streamId, std::unique_ptr<AudioStream> stream,
                                       DeviceFault unavailable);
    uint64_t beginRunLocked(Activity activity, std::optional<CompletionNotice> notice);
    StreamEnded endedCallback(uint64_t streamId);

    std::size_t pullFrames(uint64_t streamId, std::span<float> out);
    // Whether it ended the play.
    bool endPlayBeforeItsLastFramesLocked(NoticesToPost &posts);
    void pushFrames(uint64_t streamId, std::span<const float> in);
    void streamEnded(uint64_t streamId, StreamEnd end);

    uint64_t positionLocked(uint64_t framesDone) const;
    void finishLocked(WPARAM flag, NoticesToPost &posts);

    const UINT m_deviceId;
    const WaveFormat m_format;
    AudioBackend &m_backend;

    // Guarded by the device's command lock (never touched by stream callbacks).
    TimeFormat m_timeFormat = TimeFormat::Milliseconds;
    std::unique_ptr<AudioStream> m_stream;
    uint64_t m_lastId = 0; // of plays, records and streams alike

    mutable std::mutex m_lock;
    // Signalled whenever m_runningStream or m_liveStream changes to 0, and at a break.
    std::condition_variable m_ended;
    // Guarded by m_lock: everything below.
    Sound m_sound;
    SessionMode m_mode = SessionMode::Stopped;
    Activity m_activity = Activity::Play;
    uint64_t m_position = 0;      // while nothing runs
    uint64_t m_runningStream = 0; // the id of the play or record that runs, 0 for none
    uint64_t m_liveStream = 0;    // the id of the stream whose callbacks count, 0 for none
    PendingNotice m_pending;
    PlayInStream m_play;
    PlayFeed m_feed;
    RecordCapture m_capture{m_format};
};
