// music_generator: writes Korvane's background music, an original 20-second loop, as a 16-bit
// mono WAV file. Every note is synthesised here; the score below is the whole of the music.
//
// The sound is mixed into a circular buffer, so the tails of the last notes ring on into the
// first bar: played over and over, the loop point cannot be heard and cannot click.
#include "base/little_endian.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kBeatSeconds = 60.0 / 96.0;
constexpr int kBars = 8;
constexpr int kBeatsPerBar = 4;

struct Note {
    int midi;     // 60 is middle C
    double beats; // length
};

// The melody, bar by bar, over C - Am - F - G - C - Am - F G - C.
constexpr std::array kMelody = {
    Note{64, 1}, Note{67, 1}, Note{72, 2}, Note{69, 1},   Note{72, 1},   Note{76, 2}, Note{74, 1},
    Note{72, 1}, Note{69, 2}, Note{67, 1}, Note{69, 1},   Note{74, 1},   Note{71, 1}, Note{76, 1},
    Note{74, 1}, Note{72, 2}, Note{69, 1}, Note{72, 0.5}, Note{74, 0.5}, Note{76, 2}, Note{69, 1},
    Note{72, 1}, Note{71, 1}, Note{74, 1}, Note{72, 4},
};

// The chord of each half bar, as the three notes of a triad.
constexpr std::array<std::array<int, 3>, kBars * 2> kChords = {{
    {48, 52, 55},
    {48, 52, 55},
    {45, 48, 52},
    {45, 48, 52},
    {41, 45, 48},
    {41, 45, 48},
    {43, 47, 50},
    {43, 47, 50},
    {48, 52, 55},
    {48, 52, 55},
    {45, 48, 52},
    {45, 48, 52},
    {41, 45, 48},
    {43, 47, 50},
    {48, 52, 55},
    {48, 52, 55},
}};

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

class Mixer {
  public:
    explicit Mixer(std::size_t frames)
        : m_samples(frames, 0.0) {}

    // A plucked tone: a few soft harmonics under a short attack and an exponential decay.
    void pluck(double startSeconds, int midi, double seconds, double level, double attack) {
        const double hz = frequency(midi);
        const auto start = static_cast<std::size_t>(startSeconds * kRate);
        const auto length = static_cast<std::size_t>((seconds + 1.5) * kRate);
        for (std::size_t n = 0; n < length; ++n) {
            const double t = static_cast<double>(n) / kRate;
            const double envelope = std::min(1.0, t / attack) * std::exp(-t * 2.2 / seconds);
            const double phase = 2 * std::numbers::pi * hz * t;
            const double tone =
                std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase);
            m_samples[(start + n) % m_samples.size()] += level * envelope * tone;
        }
    }

    std::vector<int16_t> normalised(double peakLevel) const {
        double peak = 0;
        for (const double s : m_samples)
            peak = std::max(peak, std::abs(s));
        std::vector<int16_t> out;
        out.reserve(m_samples.size());
        for (const double s : m_samples)
            out.push_back(static_cast<int16_t>(std::lround(s / peak * peakLevel * 32767)));
        return out;
    }

  private:
    std::vector<double> m_samples;
};

std::vector<int16_t> compose() {
    const double loopSeconds = kBars * kBeatsPerBar * kBeatSeconds;
    Mixer mixer(static_cast<std::size_t>(loopSeconds * kRate));
    double beat = 0;
    for (const Note &note : kMelody) {
        mixer.pluck(beat * kBeatSeconds, note.midi, note.beats * kBeatSeconds + 0.4, 0.5, 0.01);
        beat += note.beats;
    }
    const double halfBar = kBeatsPerBar / 2 * kBeatSeconds;
    for (std::size_t half = 0; half < kChords.size(); ++half) {
        const double start = static_cast<double>(half) * halfBar;
        for (const int midi : kChords[half])
            mixer.pluck(start, midi, halfBar * 1.5, 0.16, 0.08);
        mixer.pluck(start, kChords[half][0] - 12, halfBar, 0.3, 0.02);
    }
    return mixer.normalised(0.5);
}

void putLittleEndian(std::string &out, uint32_t value, std::size_t bytes) {
    std::array<std::byte, 4> field{};
    storeLittle(field, 0, value, bytes);
    for (const std::byte b : std::span(field).first(bytes))
        out += static_cast<char>(b);
}

std::string waveFile(const std::vector<int16_t> &samples) {
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2); // PCM
    putLittleEndian(out, 1, 2); // mono
    putLittleEndian(out, kRate, 4);
    putLittleEndian(out, kRate * 2, 4);
    putLittleEndian(out, 2, 2);
    putLittleEndian(out, 16, 2);
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (const int16_t sample : samples)
        putLittleEndian(out, static_cast<uint16_t>(sample), 2);
    return out;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fputs("usage: music_generator OUTPUT.wav\n", stderr);
        return 2;
    }
    const std::string file = waveFile(compose());
    std::FILE *out = std::fopen(argv[1], "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size() ||
        std::fclose(out) != 0) {
        std::fprintf(stderr, "music_generator: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
