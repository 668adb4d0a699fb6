// Argument conversion for script calls.
#include "method_arguments.h"

#include "array_file.h"
#include "base/ascii_case.h"

#include <algorithm>

namespace {

const char *typeName(VARTYPE vt) {
    switch (vt) {
    case VT_I2:
        return "a 16-bit integer";
    case VT_I4:
        return "a 32-bit integer";
    case VT_R4:
        return "a float";
    case VT_BOOL:
        return "a Boolean";
    case VT_BSTR:
        return "a string";
    default:
        return "an unsupported type";
    }
}

bool isShortArray(const PARAMDESC &param) {
    return param.vt == (VT_BYREF | VT_I2);
}

// The value of the method's ArrayLength parameter, 0 when it has none.
int32_t arrayLength(const FUNCDESC &function, const std::vector<ShownArgument> &shown) {
    for (size_t i = 0; i < function.params.size(); ++i)
        if (equalsIgnoringAsciiCase(function.params[i].name, "ArrayLength") &&
            shown[i].value.type() == VT_I4)
            return shown[i].value->lVal;
    return 0;
}

} // namespace

bool MethodArguments::prepare(const FUNCDESC &function, const std::vector<ScriptWord> &words,
                              std::string &error) {
    if (words.size() != function.params.size()) {
        error = function.name + " takes " + std::to_string(function.params.size()) +
                " argument(s), not " + std::to_string(words.size());
        return false;
    }
    m_shown.resize(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        const PARAMDESC &param = function.params[i];
        if (!isShortArray(param)) {
            if (!convertScalar(param, words[i], i, error))
                return false;
            continue;
        }
        if (words[i].quoted || words[i].text.size() < 2 || words[i].text[0] != '@') {
            error =
                param.name + " is an array: write it as @FILE, or @\"FILE\" for a path with blanks";
            return false;
        }
        if (words[i].text.find('\0') != std::string::npos) {
            // The system would take the name only up to its zero, which names another file.
            error = param.name + " " + quotedExcerpt(words[i].text) + " holds a zero byte";
            return false;
        }
        m_arrays.push_back({i, words[i].text.substr(1), function.name == "WavFileToArray", {}, 0});
        m_shown[i].arrayFile = m_arrays.back().file;
    }
    const int32_t length = arrayLength(function, m_shown);
    for (ArrayArgument &array : m_arrays)
        if (!prepareArray(array, length, error))
            return false;
    m_values.clear();
    for (size_t i = 0; i < m_shown.size(); ++i)
        m_values.push_back(*m_shown[i].value.get());
    for (ArrayArgument &array : m_arrays) {
        m_values[array.index].vt = VT_BYREF | VT_I2;
        m_values[array.index].piVal = array.elements.data();
    }
    return true;
}

bool MethodArguments::convertScalar(const PARAMDESC &param, const ScriptWord &word, size_t index,
                                    std::string &error) {
    Variant text{std::string_view(word.text)};
    const HRESULT hr = text.changeType(param.vt);
    if (hr == DISP_E_OVERFLOW) {
        error = param.name + " " + quotedExcerpt(word.text) + " is out of range for " +
                typeName(param.vt);
        return false;
    }
    if (FAILED(hr)) {
        error = param.name + " must be " + typeName(param.vt) + ", not " + quotedExcerpt(word.text);
        return false;
    }
    m_shown[index].value = std::move(text);
    return true;
}

bool MethodArguments::prepareArray(ArrayArgument &array, int32_t length, std::string &error) {
    if (length > kMaxArrayElements) {
        error = "ArrayLength " + std::to_string(length) + " is too large for @" + array.file;
        return false;
    }
    const size_t wanted = static_cast<size_t>(std::max(length, 0));
    if (array.output) {
        array.written = wanted;
        array.elements.assign(std::max<size_t>(wanted, 1), 0);
        return true;
    }
    auto values = readArrayFile(array.file, wanted, error);
    if (!values)
        return false;
    array.elements = std::move(*values);
    array.elements.resize(std::max({wanted, array.elements.size(), size_t{1}}), 0);
    return true;
}

bool MethodArguments::finish(int32_t errorCode, std::string &error) {
    for (const ArrayArgument &array : m_arrays) {
        // A failed call leaves the array unfilled; writing it would destroy the file for nothing.
        if (!array.output || errorCode != 0)
            continue;
        const std::vector<int16_t> written(array.elements.begin(),
                                           array.elements.begin() +
                                               static_cast<std::ptrdiff_t>(array.written));
        if (!writeArrayFile(array.file, written, error))
            return false;
    }
    return true;
}
