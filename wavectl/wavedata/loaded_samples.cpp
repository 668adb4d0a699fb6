// Every read and write of the operations stays inside the loaded bytes: a working copy whose
// samples would run past its end is refused here rather than trusted.
#include "wavedata/loaded_samples.h"

#include "wavedata/operation_checks.h"
#include "wavedata/scratch_file.h"

LoadedSamples::LoadedSamples(const std::string &workFile, int bits, int32_t count) {
    if (m_buffer.Load(workFile.c_str(), 0, -1) == 0)
        return;
    const auto end = static_cast<int64_t>(kPlainWaveHeaderSize) + int64_t{count} * (bits / 8);
    m_ok = end <= m_buffer.m_nSize;
}

std::function<int32_t(const std::string &)>
EditSamples(int bits, int32_t count, WriteBack writeBack, std::function<bool(uint8_t *)> change) {
    return [=](const std::string &workFile) {
        LoadedSamples loaded(workFile, bits, count);
        if (!loaded.ok())
            return kCodeCannotCreateBuffer;
        if (!change(loaded.samples()))
            return kCodeBroken;
        if (writeBack == WriteBack::No)
            return 0;
        const CWavBuffer &buffer = loaded.buffer();
        return ReplaceFileContent(workFile, buffer.m_pData, buffer.m_nSize) ? 0
                                                                            : kCodeCannotSaveTmp;
    };
}
