// The script line tokenizer.
#include "script_tokens.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string &error) {
    std::vector<ScriptWord> words;
    size_t at = 0;
    while (at < line.size()) {
        if (isBlank(line[at])) {
            ++at;
            continue;
        }
        if (line[at] == '#')
            break;
        if (line[at] != '"') {
            const size_t start = at;
            while (at < line.size() && !isBlank(line[at]) && line[at] != '"')
                ++at;
            if (at < line.size() && line[at] == '"') {
                error = "a quote inside a word";
                return std::nullopt;
            }
            words.push_back({std::string(line.substr(start, at - start)), false});
            continue;
        }
        std::string text;
        ++at;
        for (;; ++at) {
            if (at >= line.size()) {
                error = "a quoted word without its closing quote";
                return std::nullopt;
            }
            if (line[at] == '"')
                break;
            if (line[at] == '\\' && at + 1 < line.size() &&
                (line[at + 1] == '"' || line[at + 1] == '\\'))
                ++at;
            text.push_back(line[at]);
        }
        ++at;
        if (at < line.size() && !isBlank(line[at]) && line[at] != '#') {
            error = "text right after a closing quote";
            return std::nullopt;
        }
        words.push_back({std::move(text), true});
    }
    return words;
}
