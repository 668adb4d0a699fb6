// The space-free, quote-free form in which file names travel inside media command strings.
// Linux has no short names, so a name is made safe by percent-encoding every byte that could
// end or split a command word; the device decodes it back to the real name. A name whose
// encoding would not fit a command travels as a short token that the process remembers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The longest encoded name that travels spelled out. The longest command naming a file,
// "open NAME alias A type waveaudio wait" with an alias of up to 11 characters, adds 43 to it,
// and a command holds at most 299.
inline constexpr std::size_t kLongestSpelledShortPath = 256;

// How many of the latest long names a token can still stand for. A name is shortened right
// before the commands that carry it, so only the latest few are ever looked up; the bound
// keeps a process that shortens ever new long names from growing.
inline constexpr std::size_t kRememberedLongPaths = 64;

// Encodes space, double quote, percent sign and control bytes as %XX. A relative name gains a
// leading "./", so the result can never be mistaken for a command keyword.
std::string encodeShortPath(std::string_view path);

// The short form of path: encodeShortPath(path) when that is at most kLongestSpelledShortPath
// long, else a token, "/%%" and a serial number (a text no encoding ever holds), that names
// path in this process until kRememberedLongPaths other long names have been shortened.
std::string shortenPath(std::string_view path);

// A token for path whatever its length, "/%%" and a serial number, that decodeShortPath turns
// back into path as long as a token from shortenPath would.
std::string longPathToken(std::string_view path);
// Whether text is such a token (no real path is told from one by this alone).
bool isLongPathToken(std::string_view text);

// The name that encodeShortPath, shortenPath or longPathToken gave; nullopt for a malformed escape,
// an encoded NUL, or a token this process does not remember.
std::optional<std::string> decodeShortPath(std::string_view shortPath);
