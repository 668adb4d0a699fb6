// korvane's help and version texts, answered before Qt is started.
#include "command_line.h"

#include "korvane_version.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace korvane {

namespace {

constexpr int kExitAnswered = 0;
constexpr int kExitOutputLost = 1;

constexpr std::string_view kHelp =
    "Usage: korvane [QT-OPTION ...]\n"
    "Korvane, a game of Reversi against the computer or for two players at one board,\n"
    "with background music.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this text and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Every other argument goes to Qt (such as -platform, -style, -geometry).\n"
    "The music is played by the NELOWAV wave control, found through the object\n"
    "registries as nelowav(1) describes; when it cannot be created the game plays\n"
    "in silence and says why on standard error.\n";

constexpr std::string_view kVersion = "korvane " KORVANE_VERSION "\n";

int print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    // A closed pipe or a full disk must not pass for an answer given.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "korvane: cannot write the output: %s\n", std::strerror(errno));
        return kExitOutputLost;
    }
    return kExitAnswered;
}

} // namespace

std::optional<int> answerInformationOption(int argc, char **argv) {
    bool version = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help")
            return print(kHelp);
        version = version || arg == "--version";
    }
    if (version)
        return print(kVersion);
    return std::nullopt;
}

} // namespace korvane
