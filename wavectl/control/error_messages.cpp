// The control's message table and the media device's texts.
#include "error_messages.h"

#include "mci/mci_error_text.h"
#include "nelowav_error_codes.h"

#include <array>

namespace {

struct ErrorMessage {
    int32_t code;
    const char *text;
};

// Code 0 never reaches this table: it is the media device's, whose text serves.
constexpr std::array kMessages = {
    ErrorMessage{errHeaderSize, "Cannot determine WAV header size."},
    ErrorMessage{errFileNotOpen, "WAV file is not open."},
    ErrorMessage{errBitsPerSample, "This method supports only 8-bit or 16-bit WAV files."},
    ErrorMessage{errSaveTmpFile, "Cannot save TMP file."},
    ErrorMessage{errWavBuffer, "Cannot create WAV buffer."},
    ErrorMessage{errReopenFile, "Cannot re-open the WAV file."},
    ErrorMessage{errArrayLength,
                 "Invalid array length.\n\n Array length must be: NumSamples * NumChannels"},
    ErrorMessage{errSamplingRate, "Invalid sampling rate."},
    ErrorMessage{errClipAccess, "Cannot access the Clipboard."},
    ErrorMessage{errClipEmpty, "Clipboard is empty."},
    ErrorMessage{errFileEmpty, "WAV file is empty."},
};

constexpr const char *kUnknownError = "Unknown error.";
// The media interface's text buffer.
constexpr unsigned kMediaTextSize = 300;

} // namespace

std::string ErrorMessageText(int32_t code) {
    if (code <= kLastMediaErrorCode) {
        // Left empty when the device has no text for the code.
        char text[kMediaTextSize] = {};
        mciGetErrorStringA(static_cast<DWORD>(code), text, kMediaTextSize);
        return text;
    }
    for (const ErrorMessage &message : kMessages)
        if (message.code == code)
            return message.text;
    return kUnknownError;
}
