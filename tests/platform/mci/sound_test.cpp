// The piece list gives the same frames as a plain vector that undergoes the same edits.
#include "mci/sound.h"

#include <gtest/gtest.h>
#include <random>

namespace {

constexpr WaveFormat kStereo16{SampleEncoding::SignedInt16, 2, 8000, 16};

std::vector<std::byte> framesNumbered(uint32_t first, uint32_t count) {
    std::vector<std::byte> bytes;
    for (uint32_t n = first; n < first + count; ++n)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::byte>(n >> shift));
    return bytes;
}

std::vector<std::byte> allFrames(const Sound &sound) {
    std::vector<std::byte> bytes(sound.frameCount() * kStereo16.bytesPerFrame());
    EXPECT_EQ(sound.readFrames(0, bytes), sound.frameCount());
    return bytes;
}

TEST(SoundTest, RandomEditsMatchAVectorModel) {
    std::mt19937 random(7);
    Sound sound(kStereo16);
    std::vector<std::byte> model = framesNumbered(0, 1000);
    sound.append(makeMemorySource(model), 0, 1000);
    const std::size_t frameBytes = kStereo16.bytesPerFrame();
    for (uint32_t step = 0; step < 300; ++step) {
        const uint64_t frames = model.size() / frameBytes;
        const uint64_t a = std::uniform_int_distribution<uint64_t>(0, frames)(random);
        const uint64_t b = std::uniform_int_distribution<uint64_t>(a, frames)(random);
        if (step % 2 == 0) {
            const uint32_t count = std::uniform_int_distribution<uint32_t>(1, 50)(random);
            const auto block = framesNumbered(100000 + step * 100, count);
            sound.insert(a, makeMemorySource(block));
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(a * frameBytes), block.begin(),
                         block.end());
        } else {
            sound.erase(a, b);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(a * frameBytes),
                        model.begin() + static_cast<std::ptrdiff_t>(b * frameBytes));
        }
        ASSERT_EQ(sound.frameCount(), model.size() / frameBytes) << "step " << step;
    }
    EXPECT_EQ(allFrames(sound), model);

    std::vector<std::byte> tail(10 * frameBytes);
    EXPECT_EQ(sound.readFrames(sound.frameCount() - 3, tail), 3u) << "short only at the end";
}

} // namespace
