// The built-in device: the waveaudio device on real WAV files and the real audio back end.
#include "mci/audio_backend.h"
#include "mci/mci_device.h"
#include "mci/wave_audio_device.h"
#include "mci/wave_file.h"

MciDevice &BuiltinMciDevice() {
    // Never destroyed: at exit its streams' threads may still be posting to windows whose
    // table is already gone, so the process ends with the device as it is.
    static WaveAudioDevice *const device =
        new WaveAudioDevice(WaveAudioServices{openWaveFile, saveWaveFile, makeDefaultBackend()});
    return *device;
}
