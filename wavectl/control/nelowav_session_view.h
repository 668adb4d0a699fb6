// The control's media session as the sample-level operations see it: queries and steps of the
// session, with every path shortened before it enters a command.
#pragma once

#include "nelowav_ctrl.h"
#include "wavedata/wave_session_view.h"

class NeloWavSessionView final : public WaveSessionView {
  public:
    explicit NeloWavSessionView(CNeloWavCtrl &control)
        : m_control(control) {}

    bool IsFileOpen() override;
    int32_t GetPosition() override;
    int32_t GetLength() override;
    int16_t GetNumChannels() override;
    int16_t GetNumBits() override;
    int32_t SaveTo(const std::string &path) override;
    int32_t RecordOneFrame() override;
    void CloseDevice() override;
    void OpenSession(const std::string &path) override;
    void CloseSession() override;
    void Seek(int32_t To) override;
    int32_t &ErrorCode() override;
    std::string &WorkFile() override;

  private:
    CNeloWavCtrl &m_control;
};
