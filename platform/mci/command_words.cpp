// The device's word splitter. Only the space separates words, as on the platform; any other
// byte (a tab included) belongs to a word and so makes it unknown rather than silently split.
#include "mci/command_words.h"

#include "base/ascii_case.h"

namespace {

constexpr char kSpace = ' ';
constexpr char kQuote = '"';

} // namespace

DeviceResult<std::vector<CommandWord>> splitCommandWords(std::string_view command) {
    std::vector<CommandWord> words;
    std::size_t at = 0;
    while (true) {
        while (at < command.size() && command[at] == kSpace)
            ++at;
        if (at == command.size())
            return words;
        if (command[at] == kQuote) {
            const std::size_t close = command.find(kQuote, at + 1);
            if (close == std::string_view::npos)
                return DeviceFault::NoClosingQuote;
            words.push_back({std::string(command.substr(at + 1, close - at - 1)), true});
            at = close + 1;
            if (at < command.size() && command[at] != kSpace)
                return DeviceFault::ExtraCharacters;
            continue;
        }
        const std::size_t end = std::min(command.find(kSpace, at), command.size());
        words.push_back({std::string(command.substr(at, end - at)), false});
        at = end;
    }
}

bool isKeyword(const CommandWord &word, std::string_view keyword) {
    return !word.quoted && asciiLowered(word.text) == keyword;
}
