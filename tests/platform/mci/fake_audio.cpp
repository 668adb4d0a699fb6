// The test-driven back end.
#include "fake_audio.h"

struct FakeAudio::Stream {
    StreamFormat format;
    PullFrames pull;
    PushFrames push;
    StreamEnded ended;
    // Held while a callback runs, and by the handle's destructor.
    std::mutex callbackLock;
    // Guarded by callbackLock.
    bool alive = true;
    bool finished = false;
    std::atomic<bool> paused{false};
    std::atomic<uint64_t> framesDone{0};
};

class FakeAudio::Handle final : public AudioStream {
  public:
    explicit Handle(std::shared_ptr<Stream> stream)
        : m_stream(std::move(stream)) {}
    ~Handle() override {
        const std::lock_guard lock(m_stream->callbackLock);
        m_stream->alive = false;
    }
    void pause() override { m_stream->paused = true; }
    void resume() override { m_stream->paused = false; }
    uint64_t framesDone() const override { return m_stream->framesDone; }

  private:
    std::shared_ptr<Stream> m_stream;
};

class FakeAudio::Backend final : public AudioBackend {
  public:
    explicit Backend(FakeAudio &audio)
        : m_audio(audio) {}
    std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                      StreamEnded ended) override {
        return m_audio.start(format, std::move(pull), nullptr, std::move(ended));
    }
    std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                        StreamEnded ended) override {
        return m_audio.start(format, nullptr, std::move(push), std::move(ended));
    }

  private:
    FakeAudio &m_audio;
};

std::unique_ptr<AudioBackend> FakeAudio::backend() {
    return std::make_unique<Backend>(*this);
}

std::unique_ptr<AudioStream> FakeAudio::start(StreamFormat format, PullFrames pull, PushFrames push,
                                              StreamEnded ended) {
    if (m_refuse)
        return nullptr;
    auto stream = std::make_shared<Stream>();
    stream->format = format;
    stream->pull = std::move(pull);
    stream->push = std::move(push);
    stream->ended = std::move(ended);
    {
        const std::lock_guard lock(m_lock);
        m_streams.push_back(stream);
    }
    m_started.notify_all();
    return std::make_unique<Handle>(stream);
}

std::shared_ptr<FakeAudio::Stream> FakeAudio::newest() const {
    const std::lock_guard lock(m_lock);
    return m_streams.empty() ? nullptr : m_streams.back();
}

std::size_t FakeAudio::pump(std::size_t frames) {
    const auto stream = newest();
    if (!stream || !stream->pull || stream->paused)
        return 0;
    const std::lock_guard callback(stream->callbackLock);
    if (!stream->alive || stream->finished)
        return 0;
    std::vector<float> out(frames * stream->format.channels);
    const std::size_t given = stream->pull(out);
    stream->framesDone += given;
    {
        const std::lock_guard lock(m_lock);
        m_played.insert(m_played.end(), out.begin(),
                        out.begin() + static_cast<std::ptrdiff_t>(given * stream->format.channels));
    }
    if (given < frames) {
        stream->finished = true;
        stream->ended(StreamEnd::Drained);
    }
    return given;
}

void FakeAudio::capture(std::size_t frames, float level) {
    const auto stream = newest();
    if (!stream || !stream->push || stream->paused)
        return;
    const std::lock_guard callback(stream->callbackLock);
    if (!stream->alive || stream->finished)
        return;
    const std::vector<float> in(frames * stream->format.channels, level);
    stream->push(in);
    stream->framesDone += frames;
}

void FakeAudio::fail() {
    const auto stream = newest();
    if (!stream)
        return;
    const std::lock_guard callback(stream->callbackLock);
    if (!stream->alive || stream->finished)
        return;
    stream->finished = true;
    stream->ended(StreamEnd::Failed);
}

void FakeAudio::waitForStreams(std::size_t count) {
    std::unique_lock lock(m_lock);
    m_started.wait(lock, [&] { return m_streams.size() >= count; });
}

std::size_t FakeAudio::streamsStarted() const {
    const std::lock_guard lock(m_lock);
    return m_streams.size();
}

std::vector<float> FakeAudio::played() const {
    const std::lock_guard lock(m_lock);
    return m_played;
}
