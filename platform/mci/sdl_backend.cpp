// The default back end: each stream on an SDL device of its own, or on the real-time null sink
// when SDL cannot give it one (no sound server, no sound card, no driver).
#include "mci/audio_backend.h"
#include "mci/mci_trace.h"
#include "mci/sdl_audio_subsystem.h"
#include "mci/sdl_stream.h"
#include "mci/stream_timing.h"

namespace {

class SdlBackend final : public AudioBackend {
  public:
    std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                      StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !pull || !ended)
            return nullptr;
        std::string why;
        if (const char *failure = sdlAudioStartFailure())
            why = failure;
        else if (auto stream = SdlStream::openPlay(format, pull, ended, why))
            return stream;
        mciTrace("fallback: play on the null sink, since no output opens: %s", why.c_str());
        return m_nullSink->play(format, std::move(pull), std::move(ended));
    }

    std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                        StreamEnded ended) override {
        if (!isStreamFormatSupported(format) || !push)
            return nullptr;
        std::string why;
        if (const char *failure = sdlAudioStartFailure())
            why = failure;
        else if (auto stream = SdlStream::openRecord(format, push, ended, why))
            return stream;
        mciTrace("fallback: record silence on the null sink, since no input opens: %s",
                 why.c_str());
        return m_nullSink->record(format, std::move(push), std::move(ended));
    }

  private:
    std::unique_ptr<AudioBackend> m_nullSink = makeNullBackend(steadyAudioClock());
};

} // namespace

std::unique_ptr<AudioBackend> makeDefaultBackend() {
    return std::make_unique<SdlBackend>();
}
