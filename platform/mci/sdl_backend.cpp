// The SDL back end: each stream on an SDL device of its own, or on the real-time null sink
// when SDL cannot give it one (no sound server, no sound card, no driver).
#include "mci/mci_trace.h"
#include "mci/sdl_audio_subsystem.h"
#include "mci/sdl_backend_module.h"
#include "mci/sdl_stream.h"
#include "mci/stream_timing.h"

namespace {

// SDL's stream when SDL starts and opens a device; otherwise the null sink's, and the trace
// says why. A stream that cannot get memory or a thread does not start, and no exception
// leaves the library.
template <typename OpenSdl, typename OpenNull>
std::unique_ptr<AudioStream> sdlOrNullSink(const char *what, OpenSdl openSdl, OpenNull openNull) {
    try {
        std::string why;
        if (const char *failure = sdlAudioStartFailure())
            why = failure;
        else if (auto stream = openSdl(why))
            return stream;
        mciTrace("fallback: %s on the null sink, since no device opens: %s", what, why.c_str());
        return openNull();
    } catch (const std::exception &) {
        return nullptr;
    }
}

class SdlBackend final : public AudioBackend {
  public:
    std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                      StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !pull || !ended)
            return nullptr;
        return sdlOrNullSink(
            "play",
            [&](std::string &why) {
                return SdlStream::openPlay(format, pull, ended, m_closer, why);
            },
            [&] { return m_nullSink->play(format, std::move(pull), std::move(ended)); });
    }

    std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                        StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !push)
            return nullptr;
        return sdlOrNullSink(
            "record silence",
            [&](std::string &why) {
                return SdlStream::openRecord(format, push, ended, m_closer, why);
            },
            [&] { return m_nullSink->record(format, std::move(push), std::move(ended)); });
    }

  private:
    // Shared with the streams, which may outlive the back end.
    const std::shared_ptr<SdlDeviceCloser> m_closer = std::make_shared<SdlDeviceCloser>();
    std::unique_ptr<AudioBackend> m_nullSink = makeNullBackend(steadyAudioClock());
};

} // namespace

AudioBackend *korvaneMakeSdlBackend() {
    try {
        return new SdlBackend;
    } catch (const std::exception &) {
        return nullptr;
    }
}
