// The waveaudio command language behind mciSendStringA: arbitrary lines of text, each read by
// the parser alone and then sent to a device whose files live in memory and whose streams
// never advance, so that no path reaches the real file system and no sound is played. A line
// that asks to wait is only parsed, since nothing would ever end its stream.
#include "mci/command_parser.h"
#include "mci/wave_audio_device.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

class IdleStream final : public AudioStream {
  public:
    void pause() override {}
    void resume() override {}
    uint64_t framesDone() const override { return 0; }
};

class IdleBackend final : public AudioBackend {
  public:
    std::unique_ptr<AudioStream> play(StreamFormat, PullFrames, StreamEnded) override {
        return std::make_unique<IdleStream>();
    }
    std::unique_ptr<AudioStream> record(StreamFormat, PushFrames, StreamEnded) override {
        return std::make_unique<IdleStream>();
    }
};

Sound memorySound(uint32_t frames) {
    Sound sound(WaveFormat{SampleEncoding::SignedInt16, 1, 8000, 16});
    sound.append(makeMemorySource(std::vector<std::byte>(frames * 2u, std::byte{1})), 0, frames);
    return sound;
}

// "tone.wav" and "empty.wav" open; "bad.wav" is not a WAV file; anything else is missing.
WaveResult<Sound> openMemoryFile(const std::string &path) {
    if (path.ends_with("tone.wav"))
        return memorySound(800);
    if (path.ends_with("empty.wav"))
        return memorySound(0);
    if (path.ends_with("bad.wav"))
        return WaveError{WaveError::Kind::NotWave, "no RIFF header", 0};
    return WaveError{WaveError::Kind::NotFound, "no such file", 0};
}

WaveResult<WaveSaved> saveNowhere(const Sound &, const std::string &path) {
    if (path.ends_with("full.wav"))
        return WaveError{WaveError::Kind::WriteFailed, "disk full", 0};
    return WaveSaved{};
}

bool asksToWait(const std::string &line) {
    const DeviceResult<CommandHead> head = readCommandHead(line.c_str());
    if (!head.ok())
        return false;
    const DeviceResult<MciCommand> command = readCommandArguments(head.value());
    return command.ok() && command.value().wait;
}

void send(WaveAudioDevice &device, const std::string &line, UINT replyLength) {
    std::unique_ptr<char[]> reply(replyLength != 0 ? new char[replyLength] : nullptr);
    if (reply)
        std::memset(reply.get(), 'x', replyLength);
    const MCIERROR code = device.sendString(line.c_str(), reply.get(), replyLength, nullptr);
    if (code == 0 && reply && std::memchr(reply.get(), '\0', replyLength) == nullptr)
        std::abort();
}

// Texts past the longest accepted command are beyond the fuzzer's usual lengths, so the top
// bits of the first byte stretch the first line with blanks to the limit, or one past it.
std::string stretched(std::string line, uint8_t control) {
    if ((control & 0xC0) != 0xC0)
        return line;
    const size_t length = kMaxCommandLength + ((control & 0x20) != 0 ? 1 : 0);
    if (line.size() < length)
        line.append(length - line.size(), ' ');
    return line;
}

} // namespace

// The first byte sizes the reply buffer and may stretch the lines; the rest is the commands,
// one a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const UINT replyLength = data[0] & 0x1Fu;
    uint8_t stretch = data[0];
    std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    WaveAudioDevice device({openMemoryFile, saveNowhere, std::make_unique<IdleBackend>()});
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string line =
            stretched(std::string(text.substr(0, end)), std::exchange(stretch, 0));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!asksToWait(line))
            send(device, line, replyLength);
    }
    return 0;
}
