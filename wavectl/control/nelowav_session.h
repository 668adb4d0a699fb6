// NeloWavSession: one control instance's media session on one WAV file. It owns the alias, the
// session's fields and the working copy (which it alone makes, swaps and deletes), builds every
// command text, answers the status queries, stores the outcome of every method, and is the
// session view through which the sample-level operations work on it.
#pragma once

#include "base/window_message.h"
#include "command_text.h"
#include "mci/mci_types.h"
#include "short_path_buffer.h"
#include "wavedata/wave_session_view.h"
#include "wavedata/working_copy.h"

#include <cstdint>
#include <string>
#include <string_view>

class NeloWavSession final : public WaveSessionView {
  public:
    // Completion messages of every play and record go to callbackWindow.
    explicit NeloWavSession(HWND callbackWindow);
    // Closes the session; the working copy goes with it.
    ~NeloWavSession() override;
    NeloWavSession(const NeloWavSession &) = delete;
    NeloWavSession &operator=(const NeloWavSession &) = delete;

    // The media methods of the control, each storing its outcome in m_nErrorCode.
    void Open(std::string_view WavFilename);
    void Close();
    void Play(int32_t From, int32_t To, bool Wait);
    void Record(int32_t From, int32_t To, bool Wait);
    void Stop();
    void Pause();
    void Seek(int32_t To);
    void Delete(int32_t From, int32_t To);
    void Save();
    void SaveAs(std::string_view WavFilename);

    // The status queries; they never change the error code, and a refused query answers 0.
    int32_t GetLength();
    int32_t GetPosition() override;
    int16_t GetNumBits();
    int16_t GetNumChannels();
    int32_t GetSamplingRate();
    int32_t GetMode();
    const std::string &GetWavFilename() const { return m_strWavFilename; }

    // The outcome of the last method that reports one.
    int32_t ErrorCode() const { return m_nErrorCode; }
    // Stores the outcome of a sample-level operation.
    void StoreOutcome(int32_t code) { m_nErrorCode = code; }

    // The session as the sample-level operations see it.
    bool IsFileOpen() override { return m_bFileOpen != 0; }
    SoundFormat ReadFormat() override { return {GetNumChannels(), GetNumBits(), GetLength()}; }
    int32_t RecordOneFrame() override;
    bool MakeWorkingCopy() override { return m_workingCopy.makeNext(); }
    int32_t SaveWorkingCopy() override;
    void DiscardWorkingCopy() override { m_workingCopy.dropNext(); }
    const std::string &WorkingCopyPath() const override { return m_workingCopy.current(); }
    void CloseDevice() override;
    int32_t OpenWorkingCopy() override;
    void CloseSession() override;
    int32_t SeekDevice(int32_t To) override;

  private:
    // Opens the device on a path already shortened; the device's answer, or the refusal that
    // came with the path.
    MCIERROR OpenSession(const ShortPath &shortPath);
    // Has the device save the sound into path; the device's answer.
    int32_t SaveTo(const std::string &path);
    // Saves the sound to path (a name as the host gives it), storing the outcome.
    void SaveSound(std::string_view path);
    // SaveSound, making the file first where it does not exist.
    void SaveCreating(const std::string &path);
    // The save command for path, or the code that refuses the path before anything is sent.
    MCIERROR BuildSave(std::string_view path, CommandText &save) const;
    // Sends command with the callback window, and a reply buffer for a query; a command that
    // did not fit its buffer is refused without being sent.
    MCIERROR SendCommand(const CommandText &command, char *reply = nullptr, UINT replySize = 0);
    // The device's status replies are read into a buffer of this size.
    static constexpr UINT kStatusReplySize = 30;
    // Sends "status ALIAS item wait" with a reply buffer of kStatusReplySize bytes.
    MCIERROR QueryStatus(const char *item, char *reply);
    // The status item's value; 0 when the device refuses the query or has no number for it.
    int32_t QueryStatusNumber(const char *item);

    HWND m_hwndCallback;
    int32_t m_bFileOpen = 0;
    int32_t m_nErrorCode = 0;
    char m_szAlias[20] = {};
    std::string m_strWavFilename;
    // Deleted with the session, after the device is closed.
    WorkingCopy m_workingCopy;
};

// The module-wide counter behind the session aliases; the first Open in a process takes 1.
extern int32_t g_nAliasCounter;
