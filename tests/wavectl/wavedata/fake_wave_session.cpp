#include "fake_wave_session.h"

#include "wave_builder.h"

#include <fstream>
#include <iterator>

namespace {

constexpr int32_t kDeviceNotOpen = 263;
constexpr int32_t kFileNotSaved = 286;
constexpr int32_t kFileNotFound = 275;

uint32_t get(const std::vector<uint8_t> &in, std::size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint32_t{in.at(at + static_cast<std::size_t>(i))} << (8 * i);
    return value;
}

} // namespace

// No pad byte follows odd sample bytes: the image is the 44-byte header and the samples alone.
std::vector<uint8_t> waveImage(int channels, int bits, int32_t rate,
                               const std::vector<uint8_t> &data) {
    const auto frame = static_cast<uint16_t>(channels * bits / 8);
    Bytes samples = chunkHeader("data", static_cast<uint32_t>(data.size()));
    for (const uint8_t byte : data)
        samples.push_back(std::byte{byte});
    const Bytes image = riffWave(
        {chunk("fmt ", fmtBody(1, static_cast<uint16_t>(channels), static_cast<uint32_t>(rate),
                               static_cast<uint16_t>(bits), frame)),
         samples});
    const auto *first = reinterpret_cast<const uint8_t *>(image.data());
    return {first, first + image.size()};
}

std::vector<uint8_t> readFileBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFileBytes(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<long>(bytes.size()));
}

FakeWaveSession::FakeWaveSession(const std::string &hostFile) {
    OpenSession(hostFile);
    fileOpen = code == 0;
}

int16_t FakeWaveSession::GetNumChannels() {
    return deviceOpen ? static_cast<int16_t>(get(sound, 22, 2)) : 0;
}

int16_t FakeWaveSession::GetNumBits() {
    return deviceOpen ? static_cast<int16_t>(get(sound, 34, 2)) : 0;
}

int32_t FakeWaveSession::GetLength() {
    if (reportedLength)
        return *reportedLength;
    const int frame = GetNumChannels() * GetNumBits() / 8;
    return frame == 0 ? 0
                      : static_cast<int32_t>((sound.size() - 44) / static_cast<unsigned>(frame));
}

int32_t FakeWaveSession::SaveWorkingCopy() {
    if (!deviceOpen || failSave) {
        copies.dropNext();
        return kFileNotSaved;
    }
    std::vector<uint8_t> saved =
        waveImage(GetNumChannels(), GetNumBits(), static_cast<int32_t>(get(sound, 24, 4)),
                  {sound.begin() + 44, sound.end()});
    writeFileBytes(copies.next(), saved);
    copies.takeNext();
    return 0;
}

int32_t FakeWaveSession::RecordOneFrame() {
    if (!deviceOpen)
        return kDeviceNotOpen;
    const auto frame = static_cast<std::size_t>(GetNumChannels() * GetNumBits() / 8);
    sound.insert(sound.begin() + 44, frame, GetNumBits() == 8 ? 128 : 0);
    return 0;
}

void FakeWaveSession::OpenSession(const std::string &path) {
    std::vector<uint8_t> bytes = readFileBytes(path);
    if (failOpen || bytes.size() < 44) {
        code = kFileNotFound;
        return;
    }
    sound = std::move(bytes);
    openedFile = path;
    deviceOpen = true;
    position = 0;
    code = 0;
}

void FakeWaveSession::CloseSession() {
    deviceOpen = false;
    fileOpen = false;
}

void FakeWaveSession::Seek(int32_t To) {
    if (!deviceOpen) {
        code = kDeviceNotOpen;
        return;
    }
    position = To;
    code = 0;
}
