// The lines nelowav prints: one per call and one per event, plain or as JSON.
#pragma once

#include "com/variant.h"

#include <string>
#include <string_view>
#include <vector>

enum class OutputStyle { Plain, Json };

// An argument as the script gave it, after conversion (arrays are shown as their @FILE).
struct ShownArgument {
    Variant value;
    std::string arrayFile; // set for an @FILE argument
};

// result may be VT_EMPTY for a method that returns nothing.
std::string formatCall(OutputStyle style, const std::string &method,
                       const std::vector<ShownArgument> &args, const VARIANT &result,
                       int32_t errorCode);
std::string formatDone(OutputStyle style, int16_t notifyCode);

// A JSON string literal, quotes included, always valid UTF-8; also the plain form of a string
// result. A byte of text that is not part of valid UTF-8 appears as \udcXX (XX the byte in
// hex), the escape that the control's strings give such a byte.
std::string quotedText(const std::string &text);
std::string quotedUtf16(std::u16string_view text);

// The quoted text, or its start followed by "..." when it is long: how a message shows a word
// of the script, which may be a whole line.
std::string quotedExcerpt(const std::string &text);
