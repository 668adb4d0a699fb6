// frmMain's background music: the hidden NELOWAV control NeloWav1 plays Music.wav from the
// program's folder, and its Done event starts it again while sound is on, after a pause when
// the play failed or the sound has no frames. The game calls the control late bound by its
// dispatch identifiers and reads back only the sound's length: without the control or the
// file there is simply no music, and without the control one line on stderr says why.
#include "activex/control_site.h"
#include "frm_main.h"
#include "interface/nelowav_ids.h"

#include <array>
#include <cstdio>

namespace korvane {

void frmMain::startBackgroundMusic() {
    std::string error;
    if (FAILED(NeloWav1->create(CLSID_NeloWav, error))) {
        std::fprintf(stderr, "korvane: no music: %s\n", error.c_str());
        return;
    }
    NeloWav1->advise(
        [this](DISPID dispid, std::span<const VARIANT> args) {
            if (dispid == eventidDone && args.size() == 1 && args[0].vt == VT_I2)
                NeloWav1_Done(args[0].iVal);
        },
        error);
    const Variant path(m_musicPath);
    NeloWav1->invoke(dispidOpen, std::span(path.get(), 1));
    m_musicFrames = musicFrames();
    playMusic();
}

// The length of the open music; 0 when there is none.
std::int32_t frmMain::musicFrames() {
    VARIANT length{};
    if (FAILED(NeloWav1->invoke(dispidGetLength, {}, &length)) || length.vt != VT_I4)
        return 0;
    return length.lVal;
}

// From the position where the music stands to its end, without waiting; Done tells the end.
void frmMain::playMusic() {
    std::array<VARIANT, 3> args{};
    args[0].vt = VT_I4;
    args[0].lVal = -1;
    args[1].vt = VT_I4;
    args[1].lVal = -1;
    args[2].vt = VT_BOOL;
    args[2].boolVal = VARIANT_FALSE;
    NeloWav1->invoke(dispidPlay, args);
}

void frmMain::NeloWav1_Done(int16_t NotifyCode) {
    if (mfSoundOff)
        return;
    using PlayEnd = MusicRestart::PlayEnd;
    // The end of a short sound comes almost as soon as its start: the device's code and the
    // length tell a play that played from one that could not, never the time it took.
    if (NotifyCode == doneFailure)
        m_musicRestart.playEnded(PlayEnd::Failed);
    else
        m_musicRestart.playEnded(m_musicFrames > 0 ? PlayEnd::Played : PlayEnd::NothingToPlay);
}

void frmMain::rewindAndPlayMusic() {
    VARIANT start{};
    start.vt = VT_I4;
    start.lVal = 0;
    NeloWav1->invoke(dispidSeek, std::span(&start, 1));
    playMusic();
}

void frmMain::mnuSndOff_Click() {
    NeloWav1->invoke(dispidStop, {});
    m_musicRestart.cancel();
    mfSoundOff = true;
    m_menus.mnuSndOn->setVisible(true);
    m_menus.mnuSndOff->setVisible(false);
}

void frmMain::mnuSndOn_Click() {
    playMusic();
    mfSoundOff = false;
    m_menus.mnuSndOff->setVisible(true);
    m_menus.mnuSndOn->setVisible(false);
}

} // namespace korvane
