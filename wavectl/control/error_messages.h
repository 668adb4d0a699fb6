// The text the host reads back for an error code.
#pragma once

#include <cstdint>
#include <string>

// For 512 and below (negative codes included) the media device's text, or an empty text
// where the device has none; above it the control's own table, "Unknown error." for a
// code not in it.
std::string ErrorMessageText(int32_t code);
