// The script line tokenizer.
#include "script_tokens.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the quoted text that starts at line[at] (the opening quote) into text and moves at past
// the closing quote; false, with the reason in error, when the quoting is broken.
bool readQuoted(std::string_view line, size_t &at, std::string &text, std::string &error) {
    for (++at;; ++at) {
        if (at >= line.size()) {
            error = "a quoted word without its closing quote";
            return false;
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
        return false;
    }
    return true;
}

// A bare word, or @ followed by a quoted path, which stays an @FILE word.
bool readBare(std::string_view line, size_t &at, std::vector<ScriptWord> &words,
              std::string &error) {
    const size_t start = at;
    if (line[at] == '@' && at + 1 < line.size() && line[at + 1] == '"') {
        std::string text = "@";
        ++at;
        if (!readQuoted(line, at, text, error))
            return false;
        words.push_back({std::move(text), false});
        return true;
    }
    while (at < line.size() && !isBlank(line[at]) && line[at] != '"')
        ++at;
    if (at < line.size() && line[at] == '"') {
        error = "a quote inside a word";
        return false;
    }
    words.push_back({std::string(line.substr(start, at - start)), false});
    return true;
}

} // namespace

std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string &error) {
    std::vector<ScriptWord> words;
    size_t at = 0;
    while (at < line.size()) {
        if (isBlank(line[at])) {
            ++at;
        } else if (line[at] == '#') {
            break;
        } else if (line[at] == '"') {
            std::string text;
            if (!readQuoted(line, at, text, error))
                return std::nullopt;
            words.push_back({std::move(text), true});
        } else if (!readBare(line, at, words, error)) {
            return std::nullopt;
        }
    }
    return words;
}
