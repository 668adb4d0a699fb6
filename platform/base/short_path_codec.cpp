// Percent-encoding of file names for media command strings, and the tokens of long names.
#include "base/short_path_codec.h"

#include "base/command_budget.h"
#include "base/hex_digit.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <deque>
#include <mutex>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
// An encoding writes every percent sign as %25, so "%%" starts no encoded name.
constexpr std::string_view kTokenPrefix = "/%%";

bool needsEscape(unsigned char byte) {
    return byte <= ' ' || byte == '"' || byte == '%' || byte == 0x7F;
}

struct LongName {
    uint64_t serial;
    std::string path;
};

// The long names that tokens stand for, shared by the control and the device of one process,
// which may run on different threads.
class LongNameTable {
  public:
    uint64_t remember(std::string_view path) {
        const std::lock_guard guard(m_lock);
        const auto known = std::find_if(m_names.begin(), m_names.end(),
                                        [&](const LongName &name) { return name.path == path; });
        LongName name =
            known != m_names.end() ? *known : LongName{++m_lastSerial, std::string(path)};
        if (known != m_names.end())
            m_names.erase(known);
        m_names.push_back(std::move(name));
        if (m_names.size() > kRememberedLongPaths)
            m_names.pop_front();
        return m_names.back().serial;
    }

    std::optional<std::string> recall(uint64_t serial) {
        const std::lock_guard guard(m_lock);
        for (const LongName &name : m_names)
            if (name.serial == serial)
                return name.path;
        return std::nullopt;
    }

  private:
    std::mutex m_lock;
    // Guarded by m_lock: the latest long names, the most recently shortened last.
    std::deque<LongName> m_names;
    // Guarded by m_lock; serials are never reused, so an old token names nothing, never
    // another file.
    uint64_t m_lastSerial = 0;
};

LongNameTable &longNames() {
    static LongNameTable table;
    return table;
}

std::optional<std::string> recallToken(std::string_view token) {
    const std::string_view digits = token.substr(kTokenPrefix.size());
    uint64_t serial = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), serial);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return longNames().recall(serial);
}

} // namespace

std::string encodeShortPath(std::string_view path) {
    std::string encoded = path.starts_with('/') ? "" : "./";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (needsEscape(byte)) {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

// The longest command naming a file: "open NAME alias A type waveaudio wait", whose alias is the
// decimal text of a signed 32-bit counter.
constexpr std::size_t kLongestOpenBesideName =
    std::string_view("open  alias -2147483648 type waveaudio wait").size();
static_assert(kLongestSpelledShortPath + kLongestOpenBesideName <= kLongestCommand);

std::string shortenPath(std::string_view path) {
    std::string encoded = encodeShortPath(path);
    if (encoded.size() <= kLongestSpelledShortPath)
        return encoded;
    return longPathToken(path);
}

std::string longPathToken(std::string_view path) {
    return std::string(kTokenPrefix) + std::to_string(longNames().remember(path));
}

bool isLongPathToken(std::string_view text) {
    return text.starts_with(kTokenPrefix);
}

std::optional<std::string> decodeShortPath(std::string_view shortPath) {
    if (isLongPathToken(shortPath))
        return recallToken(shortPath);
    std::string decoded;
    decoded.reserve(shortPath.size());
    for (std::size_t i = 0; i < shortPath.size(); ++i) {
        if (shortPath[i] != '%') {
            decoded += shortPath[i];
            continue;
        }
        if (i + 2 >= shortPath.size())
            return std::nullopt;
        const int high = hexDigitValue(shortPath[i + 1]);
        const int low = hexDigitValue(shortPath[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return std::nullopt;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded;
}
