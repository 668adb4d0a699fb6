// Splitting a script line into words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ScriptWord {
    std::string text;
    bool quoted; // written in double quotes, so never a keyword or an @FILE
};

// Words are separated by blanks; a word in double quotes may hold blanks, and inside it a
// backslash before a quote or a backslash stands for that character. A # outside quotes ends
// the line.
// nullopt, with the reason in error, for an unterminated quote or text glued to a quote.
std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string &error);
