// Splitting a command text into its words: runs of spaces separate them, and a word in double
// quotes may hold spaces (a file name).
#pragma once

#include "mci/device_fault.h"

#include <string>
#include <string_view>
#include <vector>

struct CommandWord {
    std::string text; // without its quotes
    bool quoted = false;
};

DeviceResult<std::vector<CommandWord>> splitCommandWords(std::string_view command);

// Whether an unquoted word is keyword (given in lower case), ignoring ASCII case.
bool isKeyword(const CommandWord &word, std::string_view keyword);
