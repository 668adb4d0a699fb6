// Whether a module's file could have been changed by any user of the machine: loading it would
// run whatever they put there.
#pragma once

#include <string>

// The first place that lets every user change what path loads: the file writable by all, or a
// folder on its way, as given or after symbolic links are resolved, writable by all without the
// sticky bit (there anyone may rename the file away and put another in its place). Empty when
// there is none; a place that cannot be examined counts as open.
std::string placeOpenToEveryone(const std::string &path);
