// The control's message table and the media device's texts.
#include "error_messages.h"

#include "mci/mci_error_text.h"
#include "wavedata/error_codes.h"

#include <array>

namespace {

struct ErrorMessage {
    int32_t code;
    const char *text;
};

// Code 0 never reaches this table: it is the media device's, whose text serves.
constexpr std::array kMessages = {
    ErrorMessage{kCodeHeaderSize, "Cannot determine WAV header size."},
    ErrorMessage{kCodeNotOpen, "WAV file is not open."},
    ErrorMessage{kCodeNot8Or16Bit, "This method supports only 8-bit or 16-bit WAV files."},
    ErrorMessage{kCodeCannotSaveTmp, "Cannot save TMP file."},
    ErrorMessage{kCodeCannotCreateBuffer, "Cannot create WAV buffer."},
    ErrorMessage{kCodeCannotReopen, "Cannot re-open the WAV file."},
    ErrorMessage{kCodeInvalidArrayLength,
                 "Invalid array length.\n\n Array length must be: NumSamples * NumChannels"},
    ErrorMessage{kCodeInvalidSamplingRate, "Invalid sampling rate."},
    ErrorMessage{kCodeClipInaccessible, "Cannot access the Clipboard."},
    ErrorMessage{kCodeClipEmpty, "Clipboard is empty."},
    ErrorMessage{kCodeEmptyFile, "WAV file is empty."},
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
