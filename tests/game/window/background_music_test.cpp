// The background music through the real control and device, created by CLSID from a private
// registry, on the null sink: it loops on Done however short it is, Sound Off stops it where
// it is, Sound On resumes it, a missing file only means silence, and a play that fails or has
// nothing to play is tried again only after a pause, timed by a timer the test moves on.
#include "base/window_message.h"
#include "mci/mci_constants.h"
#include "mci/mci_device.h"
#include "small_wave_file.h"
#include "temporary_folder.h"
#include "testable_main.h"
#include "window/program_folder.h"

#include <QAction>
#include <QTest>
#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <string>
#include <vector>

using korvane::test::TestableMain;

namespace {

// Passes every command on to the real device and keeps its text; or holds each play, as a
// device would that ends it at once or is lost as soon as it plays, until the test ends it.
class ForwardingDevice final : public MciDevice {
  public:
    ForwardingDevice()
        : m_previous(SetMciDevice(this)) {}
    ~ForwardingDevice() override { SetMciDevice(m_previous); }

    MCIERROR sendString(const char *command, char *reply, UINT length, HWND callback) override {
        commands.emplace_back(command);
        if (holdPlays && commands.back().starts_with("play ")) {
            m_heldPlay = callback;
            return 0;
        }
        answers.push_back(BuiltinMciDevice().sendString(command, reply, length, callback));
        return answers.back();
    }

    bool holdPlays = false;

    // Ends the held play with the notification how, and lets the window handle it.
    void endHeldPlay(WPARAM how) {
        PostMessageA(m_heldPlay, MM_MCINOTIFY, how, 1);
        QCoreApplication::sendPostedEvents();
    }

    int count(const std::string &verb) const {
        int found = 0;
        for (const std::string &command : commands)
            found += command.starts_with(verb + " ") ? 1 : 0;
        return found;
    }

    std::vector<std::string> commands;
    std::vector<MCIERROR> answers; // of the commands passed on, in order

  private:
    MciDevice *m_previous;
    HWND m_heldPlay = nullptr;
};

using std::chrono::milliseconds;

class BackgroundMusicTest : public QObject {
    Q_OBJECT

    TemporaryFolder m_folder;

    // A 16-bit mono sound.
    std::string music(uint32_t frames, uint32_t rate) {
        const std::string path = m_folder.file("music-" + std::to_string(frames) + ".wav");
        return writeSmallWave(path, frames, 16, 1, rate) ? path : std::string();
    }

  private slots:
    void initTestCase() {
        const std::string registry = m_folder.file("registry");
        qputenv("KORVANE_COM_REGISTRY", registry.c_str());
        void *module = dlopen(NELOWAV_MODULE, RTLD_NOW);
        QVERIFY(module != nullptr);
        auto registerServer = reinterpret_cast<long (*)()>(dlsym(module, "DllRegisterServer"));
        QVERIFY(registerServer != nullptr);
        QCOMPARE(registerServer(), 0L);
    }

    // The game finds Music.wav beside the program wherever the program's folder is, whatever
    // bytes its name holds; the link stands for the kernel's link to the running program.
    void musicBesideAProgramInAFolderNamedInLatin1Opens() {
        const std::string folder = m_folder.file("k\xF6rvane \xFF");
        std::filesystem::create_directory(folder);
        QVERIFY(writeSmallWave(folder + "/Music.wav", 1200));
        const std::string link = m_folder.file("program-link");
        std::filesystem::create_symlink(folder + "/korvane", link);
        QCOMPARE(programFolder(link.c_str()), folder);
        ForwardingDevice device;
        TestableMain window(programFolder(link.c_str()) + "/Music.wav");
        const auto open = std::find_if(device.commands.begin(), device.commands.end(),
                                       [](const std::string &c) { return c.starts_with("open "); });
        QVERIFY(open != device.commands.end());
        QCOMPARE(device.answers.at(static_cast<size_t>(open - device.commands.begin())),
                 MCIERROR{0});
    }

    // 2048 frames at 44.1 kHz last 46 ms: the music never waits, so its pauses never pass.
    void aShortMusicLoopsAndSoundOffStopsIt() {
        ForwardingDevice device;
        TestableMain window(music(2048, 44100));
        QVERIFY(QTest::qWaitFor([&] { return device.count("play") >= 6; }, 5000));
        QCOMPARE(device.count("seek"), device.count("play") - 1);

        window.menus().mnuSndOff->trigger();
        QCOMPARE(device.commands.back().substr(0, 5), std::string("stop "));
        // The device has posted every notice of the stopped play by now.
        QCoreApplication::sendPostedEvents();
        const int plays = device.count("play");
        QCOMPARE(window.musicPause().isActive(), false);
        QVERIFY(window.menus().mnuSndOn->isVisible());

        const int seeks = device.count("seek");
        window.menus().mnuSndOn->trigger();
        QCOMPARE(device.count("seek"), seeks);
        QCOMPARE(device.count("play"), plays + 1);
        QVERIFY(QTest::qWaitFor([&] { return device.count("seek") > seeks; }, 2000));
    }

    // However soon a play of a sound with frames ends, it played, and the music goes on.
    void aPlayThatEndsAtOnceIsRestartedAtOnce() {
        ForwardingDevice device;
        device.holdPlays = true;
        TestableMain window(music(3000, 44100));
        for (int play = 1; play <= 5; ++play) {
            QCOMPARE(device.count("play"), play);
            device.endHeldPlay(MCI_NOTIFY_SUCCESSFUL);
        }
        QCOMPARE(device.count("seek"), 5);
        QCOMPARE(window.musicPause().isActive(), false);
    }

    void aMissingFileIsSilenceAndTheMenuStillSwitches() {
        ForwardingDevice device;
        TestableMain window(std::string("/nonexistent/Music.wav"));
        QCoreApplication::sendPostedEvents();
        QCOMPARE(device.count("play"), 1); // a play that fails at once does not loop
        QCOMPARE(window.musicPause().isActive(), false);
        window.menus().mnuSndOff->trigger();
        QVERIFY(!window.menus().mnuSndOff->isVisible());
        window.menus().mnuSndOn->trigger();
        QVERIFY(!window.menus().mnuSndOn->isVisible());
    }

    // The device ends a play of no frames within the command; each wait is twice the last,
    // up to half a minute.
    void aFileOfNoFramesIsPlayedOnlyNowAndThen() {
        ForwardingDevice device;
        TestableMain window(music(0, 8000));
        int plays = 1;
        for (const int pause : {1000, 2000, 4000, 8000, 16000, 30000, 30000}) {
            QCoreApplication::sendPostedEvents();
            QCOMPARE(device.count("play"), plays);
            QVERIFY(window.musicPause().isActive());
            QCOMPARE(window.musicPause().left(), milliseconds(pause));
            window.musicPause().advance(milliseconds(pause - 1));
            QCOMPARE(device.count("play"), plays);
            window.musicPause().advance(milliseconds(1));
            QCOMPARE(device.count("play"), ++plays);
        }
    }

    void aFailedPlayIsRetriedLaterUntilTheMusicComesBack() {
        ForwardingDevice device;
        device.holdPlays = true;
        TestableMain window(music(1200, 8000));
        device.endHeldPlay(MCI_NOTIFY_FAILURE);
        QCOMPARE(device.count("seek"), 0);
        QCOMPARE(window.musicPause().left(), milliseconds(1000));
        window.musicPause().advance(milliseconds(1000));
        QCOMPARE(device.count("play"), 2);
        device.endHeldPlay(MCI_NOTIFY_FAILURE);
        QCOMPARE(window.musicPause().left(), milliseconds(2000));

        // The device is back: the music plays through the real one and loops again, and the
        // next failure waits only a second.
        device.holdPlays = false;
        window.musicPause().advance(milliseconds(2000));
        QVERIFY(QTest::qWaitFor([&] { return device.count("play") >= 5; }, 5000));
        QCOMPARE(window.musicPause().isActive(), false);
        device.holdPlays = true;
        QVERIFY(QTest::qWaitFor([&] { return device.count("play") >= 6; }, 2000));
        device.endHeldPlay(MCI_NOTIFY_FAILURE);
        QCOMPARE(window.musicPause().left(), milliseconds(1000));
    }

    void soundOffDropsAWaitingRetryAndSoundOnTriesAtOnce() {
        ForwardingDevice device;
        device.holdPlays = true;
        TestableMain window(music(1200, 8000));
        device.endHeldPlay(MCI_NOTIFY_FAILURE);
        window.menus().mnuSndOff->trigger();
        QCOMPARE(window.musicPause().isActive(), false);
        window.menus().mnuSndOn->trigger();
        QCOMPARE(device.count("play"), 2);
        QCOMPARE(device.count("seek"), 0);
    }
};

} // namespace

QTEST_MAIN(BackgroundMusicTest)
#include "background_music_test.moc"
