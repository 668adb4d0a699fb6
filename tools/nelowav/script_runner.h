// Running a script against the control: calls, waits for Done and pauses, line by line.
#pragma once

#include "control_host.h"
#include "output_format.h"
#include "script_tokens.h"

#include <cstdio>
#include <functional>
#include <istream>
#include <string>
#include <vector>

class ScriptRunner {
  public:
    ScriptRunner(ControlHost &host, OutputStyle style, bool canShowDialogs);

    // 0 when the script ran to its end, 2 after a script error (reported on stderr).
    int run(std::istream &script);

    // For the control's Done events.
    void onDone(int16_t notifyCode);

  private:
    bool runLine(const std::vector<ScriptWord> &words, std::string &error);
    bool callMethod(const std::vector<ScriptWord> &words, std::string &error);
    bool waitDone(const std::vector<ScriptWord> &words, std::string &error);
    bool sleep(const std::vector<ScriptWord> &words, std::string &error);
    // Runs the event loop for at most ms, or until a Done arrives when stopOnDone is set.
    void processEvents(int ms, bool stopOnDone);
    void print(const std::string &line);

    ControlHost &m_host;
    OutputStyle m_style;
    bool m_canShowDialogs;
    size_t m_lineNumber = 0;
    unsigned long m_doneCount = 0;
    std::function<void()> m_stopOnDone;
};
