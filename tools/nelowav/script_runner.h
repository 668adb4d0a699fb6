// Running a script against the control: calls, waits for Done and pauses, line by line.
#pragma once

#include "control_host.h"
#include "output_format.h"
#include "script_reader.h"
#include "script_tokens.h"

#include <cstdio>
#include <string>
#include <vector>

class ScriptRunner {
  public:
    ScriptRunner(ControlHost &host, OutputStyle style, bool canShowDialogs);

    // 0 when the script ran to its end, 2 after a script error or a failed write to standard
    // output (reported on stderr), 128 + N when signal N stopped it after the step it was in.
    int run(ScriptReader &script);

    // For the control's Done events.
    void onDone(int16_t notifyCode);

  private:
    bool runLine(const std::vector<ScriptWord> &words, std::string &error);
    bool callMethod(const std::vector<ScriptWord> &words, std::string &error);
    bool waitDone(const std::vector<ScriptWord> &words, std::string &error);
    bool sleep(const std::vector<ScriptWord> &words, std::string &error);
    // Prints one line of output; a failure is kept in m_outputError.
    void print(const std::string &line);

    ControlHost &m_host;
    OutputStyle m_style;
    bool m_canShowDialogs;
    size_t m_lineNumber = 0;
    int m_outputError = 0; // errno of the first failed write to standard output
};
