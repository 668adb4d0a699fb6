// Formatting calls and events.
#include "output_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

constexpr size_t kExcerptBytes = 40;

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A float as C writes it: the shortest text that reads back as the same float, or nan, inf
// and -inf, which JSON has no number for and must therefore carry as strings.
std::string formatFloat(OutputStyle style, float value) {
    if (std::isnan(value))
        return style == OutputStyle::Json ? "\"nan\"" : "nan";
    if (std::isinf(value)) {
        const char *text = value < 0 ? "-inf" : "inf";
        return style == OutputStyle::Json ? quotedText(text) : std::string(text);
    }
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

// The value as printed; VT_EMPTY is null.
std::string formatValue(OutputStyle style, const VARIANT &value) {
    switch (value.vt) {
    case VT_I2:
        return std::to_string(value.iVal);
    case VT_I4:
        return std::to_string(value.lVal);
    case VT_R4:
        return formatFloat(style, value.fltVal);
    case VT_BOOL:
        return value.boolVal != VARIANT_FALSE ? "true" : "false";
    case VT_BSTR:
        return quotedUtf16(std::u16string_view(value.bstrVal, SysStringLen(value.bstrVal)));
    default:
        return "null";
    }
}

std::string jsonArgument(const ShownArgument &argument) {
    if (argument.arrayFile.empty())
        return formatValue(OutputStyle::Json, *argument.value.get());
    std::string file = "@";
    file += argument.arrayFile;
    return quotedText(file);
}

} // namespace

// Every unpaired surrogate, which includes each byte of a name that is not UTF-8 (U+DC80 to
// U+DCFF), is written as its \u escape, so the line stays valid UTF-8 and a reader gets back
// the same text: Python's json.loads and os.fsencode give back the name's bytes.
std::string quotedUtf16(std::u16string_view text) {
    std::string quoted = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool paired =
            high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (paired) {
            quoted += utf8FromUtf16(text.substr(i, 2));
            ++i;
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
            continue;
        }
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                quoted += escaped;
            } else {
                quoted += utf8FromUtf16(text.substr(i, 1));
            }
        }
    }
    return quoted + "\"";
}

std::string quotedText(const std::string &text) {
    return quotedUtf16(utf16FromUtf8(text));
}

std::string quotedExcerpt(const std::string &text) {
    if (text.size() <= kExcerptBytes)
        return quotedText(text);
    size_t end = kExcerptBytes;
    // Never cut a letter in two.
    while (end > 0 && isUtf8Continuation(text[end]))
        --end;
    std::string excerpt = quotedText(text.substr(0, end));
    excerpt += "...";
    return excerpt;
}

std::string formatCall(OutputStyle style, const std::string &method,
                       const std::vector<ShownArgument> &args, const VARIANT &result,
                       int32_t errorCode) {
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "literal" + string.
    std::string line;
    if (style == OutputStyle::Plain) {
        line = method;
        line += " -> ";
        line += result.vt == VT_EMPTY ? "-" : formatValue(style, result);
        line += " [code ";
        line += std::to_string(errorCode);
        line += ']';
        return line;
    }
    line = "{\"method\":";
    line += quotedText(method);
    line += ",\"args\":[";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i != 0)
            line += ',';
        line += jsonArgument(args[i]);
    }
    line += "],\"result\":";
    line += formatValue(style, result);
    line += ",\"error\":";
    line += std::to_string(errorCode);
    line += '}';
    return line;
}

std::string formatDone(OutputStyle style, int16_t notifyCode) {
    std::string line =
        style == OutputStyle::Plain ? "Done " : "{\"event\":\"Done\",\"NotifyCode\":";
    line += std::to_string(notifyCode);
    if (style == OutputStyle::Json)
        line += '}';
    return line;
}
