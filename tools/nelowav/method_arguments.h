// Turning a script line's words into the arguments of one method call, typed as the method's
// parameters, including short arrays given as @FILE.
#pragma once

#include "com/type_info.h"
#include "output_format.h"
#include "script_tokens.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Arrays larger than this are refused rather than allocated.
inline constexpr int32_t kMaxArrayElements = 1 << 26;

class MethodArguments {
  public:
    // Converts words (the method name excluded); false with the reason in error.
    bool prepare(const FUNCDESC &function, const std::vector<ScriptWord> &words,
                 std::string &error);

    // The arguments in their natural order, valid while this object lives.
    std::vector<VARIANT> &values() { return m_values; }
    const std::vector<ShownArgument> &shown() const { return m_shown; }

    // Writes the arrays the method fills to their files when the control reported no error
    // (errorCode 0); false with the reason in error.
    bool finish(int32_t errorCode, std::string &error);

  private:
    struct ArrayArgument {
        size_t index;
        std::string file;
        bool output;
        std::vector<int16_t> elements;
        size_t written; // elements that go back to the file
    };

    bool convertScalar(const PARAMDESC &param, const ScriptWord &word, size_t index,
                       std::string &error);
    bool prepareArray(ArrayArgument &array, int32_t length, std::string &error);

    std::vector<VARIANT> m_values;
    std::vector<ShownArgument> m_shown;
    std::vector<ArrayArgument> m_arrays;
};
