// The space-free, quote-free form in which file names travel inside media command strings.
// Linux has no short names, so a name is made safe by percent-encoding every byte that could
// end or split a command word; the device decodes it back to the real name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Encodes space, double quote, percent sign and control bytes as %XX. A relative name gains a
// leading "./", so the result can never be mistaken for a command keyword.
std::string encodeShortPath(std::string_view path);

// The name that encodeShortPath(name) gave; nullopt for a malformed escape or an encoded NUL.
std::optional<std::string> decodeShortPath(std::string_view shortPath);
