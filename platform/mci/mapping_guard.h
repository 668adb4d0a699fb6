// Reading a mapped file that another program has cut short raises SIGBUS on the pages past its
// new end. The guard knows the device's mappings and puts a page of zeros in place of a lost
// one, so the sound reads silence there instead of killing the process; a SIGBUS anywhere else
// goes to whatever handled it before.
#pragma once

#include <cstddef>

// False when the guard has no room left for another mapping; the caller must not map then.
bool guardMapping(const void *address, std::size_t length);
// Before the mapping goes.
void unguardMapping(const void *address);
