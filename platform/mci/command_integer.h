// The integers of command texts: decimal, or byte fields low byte first ("220:5:0" is 1500).
#pragma once

#include "mci/device_fault.h"

#include <cstdint>
#include <string_view>

// A 32-bit unsigned value; BadInteger for a sign, hexadecimal, other text, a value that needs
// more than 32 bits, five or more fields, or a field above 255.
DeviceResult<uint32_t> parseCommandInteger(std::string_view text);
