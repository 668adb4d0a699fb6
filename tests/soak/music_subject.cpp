// The music's soak subject: the main window's own looping (on Done, seek to the start and
// play) of a short file, counted by the plays that reach the device.
#include "mci/mci_device.h"
#include "small_wave_file.h"
#include "soak_subject.h"
#include "testable_main.h"

#include <QTest>

namespace {

// 400 frames at 8000 frames a second.
constexpr uint32_t kFrames = 400;
constexpr int kMillisecondsPerLoop = 50;

// Passes every command on to the real device, counting the plays; it keeps nothing else, so
// that it adds nothing to what is measured.
class PlayCounter final : public MciDevice {
  public:
    PlayCounter()
        : m_previous(SetMciDevice(this)) {}
    ~PlayCounter() override { SetMciDevice(m_previous); }
    PlayCounter(const PlayCounter &) = delete;
    PlayCounter &operator=(const PlayCounter &) = delete;

    MCIERROR sendString(const char *command, char *reply, UINT length, HWND callback) override {
        if (std::string_view(command).starts_with("play "))
            ++plays;
        return BuiltinMciDevice().sendString(command, reply, length, callback);
    }

    long plays = 0;

  private:
    MciDevice *m_previous;
};

std::string writtenMusic(const std::string &folder) {
    const std::string path = folder + "/soak music.wav";
    return writeSmallWave(path, kFrames, 8) ? path : std::string();
}

class MusicSubject final : public SoakSubject {
  public:
    explicit MusicSubject(const std::string &folder)
        : m_window(writtenMusic(folder)) {}

    std::string run(int rounds) override {
        const long target = m_counter.plays + rounds;
        const int allowed = rounds * kMillisecondsPerLoop * 4 + 5000;
        if (!QTest::qWaitFor([&] { return m_counter.plays >= target; }, allowed))
            return "the music stopped after " + std::to_string(m_counter.plays) + " plays";
        return {};
    }

  private:
    PlayCounter m_counter;
    korvane::test::TestableMain m_window;
};

} // namespace

std::unique_ptr<SoakSubject> makeMusicSubject(const std::string &folder) {
    return std::make_unique<MusicSubject>(folder);
}
