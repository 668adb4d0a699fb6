// A media device error code that prints by name when a check fails, so a failure reads
// "FILE_NOT_FOUND (275)" rather than a bare number.
#pragma once

#include "mci/mci_constants.h"

#include <cstdint>
#include <ostream>

struct MciCode {
    // Implicit, so a check can compare a code with a plain number or constant; a host reads
    // the same code as a signed number.
    constexpr MciCode(MCIERROR code)
        : value(code) {}
    constexpr MciCode(int32_t code)
        : value(static_cast<MCIERROR>(code)) {}
    MCIERROR value;
    bool operator==(const MciCode &) const = default;
};

namespace mci_code_detail {

struct CodeName {
    MCIERROR code;
    const char *name;
};

// For reading failures only.
inline constexpr CodeName kCodeNames[] = {
    {0, "success"},
    {MCIERR_UNRECOGNIZED_KEYWORD, "UNRECOGNIZED_KEYWORD"},
    {MCIERR_UNRECOGNIZED_COMMAND, "UNRECOGNIZED_COMMAND"},
    {MCIERR_INVALID_DEVICE_NAME, "INVALID_DEVICE_NAME"},
    {MCIERR_OUT_OF_MEMORY, "OUT_OF_MEMORY"},
    {MCIERR_MISSING_COMMAND_STRING, "MISSING_COMMAND_STRING"},
    {MCIERR_PARAM_OVERFLOW, "PARAM_OVERFLOW"},
    {MCIERR_MISSING_STRING_ARGUMENT, "MISSING_STRING_ARGUMENT"},
    {MCIERR_BAD_INTEGER, "BAD_INTEGER"},
    {MCIERR_MISSING_PARAMETER, "MISSING_PARAMETER"},
    {MCIERR_FILE_NOT_FOUND, "FILE_NOT_FOUND"},
    {MCIERR_CANNOT_USE_ALL, "CANNOT_USE_ALL"},
    {MCIERR_OUTOFRANGE, "OUTOFRANGE"},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "FLAGS_NOT_COMPATIBLE"},
    {MCIERR_FILE_NOT_SAVED, "FILE_NOT_SAVED"},
    {MCIERR_FILE_WRITE, "FILE_WRITE"},
    {MCIERR_FILE_READ, "FILE_READ"},
    {MCIERR_DUPLICATE_ALIAS, "DUPLICATE_ALIAS"},
    {MCIERR_BAD_CONSTANT, "BAD_CONSTANT"},
    {MCIERR_MISSING_DEVICE_NAME, "MISSING_DEVICE_NAME"},
    {MCIERR_BAD_TIME_FORMAT, "BAD_TIME_FORMAT"},
    {MCIERR_NO_CLOSING_QUOTE, "NO_CLOSING_QUOTE"},
    {MCIERR_DUPLICATE_FLAGS, "DUPLICATE_FLAGS"},
    {MCIERR_INVALID_FILE, "INVALID_FILE"},
    {MCIERR_UNNAMED_RESOURCE, "UNNAMED_RESOURCE"},
    {MCIERR_NONAPPLICABLE_FUNCTION, "NONAPPLICABLE_FUNCTION"},
    {MCIERR_EXTRA_CHARACTERS, "EXTRA_CHARACTERS"},
    {MCIERR_WAVE_OUTPUTSUNSUITABLE, "WAVE_OUTPUTSUNSUITABLE"},
};

} // namespace mci_code_detail

inline void PrintTo(MciCode code, std::ostream *out) {
    for (const mci_code_detail::CodeName &entry : mci_code_detail::kCodeNames)
        if (entry.code == code.value)
            *out << entry.name << ' ';
    *out << '(' << code.value << ')';
}
