// The two questions a desktop program answers on its command line without opening a window or
// needing a display: --help and --version.
#pragma once

#include <optional>

namespace korvane {

// When an argument asks for the help (-h, --help) or the version (--version), prints it on
// standard output and gives the exit status; else nothing, and every argument is left to Qt.
std::optional<int> answerInformationOption(int argc, char **argv);

} // namespace korvane
