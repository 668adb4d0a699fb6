// The length budget of a media command text, shared by the control that builds the texts and
// the pieces that must fit inside one.
#pragma once

#include <cstddef>

// The platform builds its command texts in 300-byte buffers, so a command holds at most 299
// characters.
inline constexpr std::size_t kLongestCommand = 299;
