// A nelowav script line: split into words, then its arguments converted to the parameters of
// the method it names. Every @FILE is redirected to one of a few files of the scratch folder
// (one missing, one with a blank in its name, one of an odd size), and nothing is written back.
#include "base/ascii_case.h"
#include "fuzz_scratch.h"
#include "nelowav_host/method_arguments.h"
#include "nelowav_host/script_tokens.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

FUNCDESC method(const char *name, std::vector<PARAMDESC> params) {
    return FUNCDESC{1, INVOKE_FUNC, VT_EMPTY, 0, name, {}, std::move(params)};
}

const std::vector<FUNCDESC> &methods() {
    static const std::vector<FUNCDESC> table = {
        method("Open", {{"WavFilename", VT_BSTR}}),
        method("Seek", {{"To", VT_I4}}),
        method("Play", {{"From", VT_I4}, {"To", VT_I4}, {"Wait", VT_BOOL}}),
        method("ChangeVolume", {{"From", VT_I4}, {"To", VT_I4}, {"Factor", VT_R4}}),
        method("WavFileToArray", {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}}),
        method("ArrayToWavFile", {{"pArray", VT_BYREF | VT_I2}, {"ArrayLength", VT_I4}}),
        method("Mixed", {{"Small", VT_I2}, {"Wide", VT_R8}, {"Any", VT_VARIANT}}),
        method("Stop", {}),
    };
    return table;
}

void writeBytes(const std::string &name, std::string_view bytes) {
    std::ofstream(FuzzScratch::file(name), std::ios::binary) << bytes;
}

const std::vector<std::string> &arrayFiles() {
    static const std::vector<std::string> files = [] {
        writeBytes("eight values.arr",
                   std::string_view("\1\0\2\0\3\0\4\0\5\0\6\0\7\0\x10\x80", 16));
        writeBytes("odd.arr", "\1\0\2");
        writeBytes("empty.arr", "");
        std::vector<std::string> names;
        for (const char *name : {"eight values.arr", "odd.arr", "empty.arr", "missing.arr"})
            names.push_back(FuzzScratch::file(name));
        return names;
    }();
    return files;
}

std::string quotedWord(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    return out + '"';
}

// The words written back as a line, every one quoted, split again: the same texts.
void checkRequoting(const std::vector<ScriptWord> &words) {
    std::string line;
    for (const ScriptWord &word : words)
        line += (!word.quoted && word.text.starts_with('@') ? "@" + quotedWord(word.text.substr(1))
                                                            : quotedWord(word.text)) +
                ' ';
    std::string error;
    const auto again = splitScriptLine(line, error);
    if (!again || again->size() != words.size())
        std::abort();
    for (size_t i = 0; i < words.size(); ++i)
        if ((*again)[i].text != words[i].text)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string error;
    auto words = splitScriptLine({reinterpret_cast<const char *>(data), size}, error);
    if (!words) {
        if (error.empty())
            std::abort();
        return 0;
    }
    checkRequoting(*words);
    if (words->empty())
        return 0;
    for (ScriptWord &word : *words)
        if (!word.quoted && word.text.starts_with('@'))
            word.text = "@" + arrayFiles()[word.text.size() % arrayFiles().size()];
    for (const FUNCDESC &function : methods()) {
        if (!equalsIgnoringAsciiCase(function.name, words->front().text))
            continue;
        MethodArguments arguments;
        const std::vector<ScriptWord> given(words->begin() + 1, words->end());
        if (!arguments.prepare(function, given, error)) {
            if (error.empty())
                std::abort();
        } else if (arguments.values().size() != function.params.size()) {
            std::abort();
        }
    }
    return 0;
}
