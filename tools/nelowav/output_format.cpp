// Formatting calls and events.
#include "output_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string formatFloat(float value) {
    if (!std::isfinite(value))
        return "null";
    // The shortest text that reads back as the same float.
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
}

// The value in JSON; VT_EMPTY is null.
std::string jsonValue(const VARIANT &value) {
    switch (value.vt) {
    case VT_I2:
        return std::to_string(value.iVal);
    case VT_I4:
        return std::to_string(value.lVal);
    case VT_R4:
        return formatFloat(value.fltVal);
    case VT_BOOL:
        return value.boolVal != VARIANT_FALSE ? "true" : "false";
    case VT_BSTR:
        return quotedText(utf8FromBstr(value.bstrVal));
    default:
        return "null";
    }
}

std::string jsonArgument(const ShownArgument &argument) {
    return argument.arrayFile.empty() ? jsonValue(*argument.value.get())
                                      : quotedText("@" + argument.arrayFile);
}

} // namespace

std::string quotedText(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text) {
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
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string formatCall(OutputStyle style, const std::string &method,
                       const std::vector<ShownArgument> &args, const VARIANT &result,
                       int32_t errorCode) {
    if (style == OutputStyle::Plain) {
        const std::string shown = result.vt == VT_EMPTY ? "-" : jsonValue(result);
        return method + " -> " + shown + " [code " + std::to_string(errorCode) + "]";
    }
    std::string line = "{\"method\":" + quotedText(method) + ",\"args\":[";
    for (size_t i = 0; i < args.size(); ++i)
        line += (i == 0 ? "" : ",") + jsonArgument(args[i]);
    return line + "],\"result\":" + jsonValue(result) + ",\"error\":" + std::to_string(errorCode) +
           "}";
}

std::string formatDone(OutputStyle style, int16_t notifyCode) {
    if (style == OutputStyle::Plain)
        return "Done " + std::to_string(notifyCode);
    return "{\"event\":\"Done\",\"NotifyCode\":" + std::to_string(notifyCode) + "}";
}
