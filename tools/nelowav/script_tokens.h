// Splitting a script line into words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ScriptWord {
    std::string text;
    bool quoted; // written in double quotes (without an @ before them): never a keyword or @FILE
};

// Words are separated by blanks; a word in double quotes may hold blanks, and inside it a
// backslash before a quote or a backslash stands for that character. @ right before a quoted
// word makes it an @FILE word (its text starts with @ and it counts as unquoted). A # where a
// word would start ends the line; inside a word it is part of the word.
// nullopt, with the reason in error, for an unterminated quote or text glued to a quote.
std::optional<std::vector<ScriptWord>> splitScriptLine(std::string_view line, std::string &error);
