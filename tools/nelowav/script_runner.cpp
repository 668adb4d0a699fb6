// The script's commands: method calls, wait-done and sleep.
#include "script_runner.h"

#include "activex/termination_signal.h"
#include "method_arguments.h"

#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <optional>

namespace {

constexpr int kDefaultWaitMs = 10000;

// A duration in milliseconds written in decimal, at most INT_MAX.
std::optional<int> parseMilliseconds(const ScriptWord &word) {
    int value = 0;
    const char *end = word.text.data() + word.text.size();
    const auto [stop, error] = std::from_chars(word.text.data(), end, value);
    if (word.quoted || error != std::errc() || stop != end || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

ScriptRunner::ScriptRunner(ControlHost &host, OutputStyle style, bool canShowDialogs)
    : m_host(host)
    , m_style(style)
    , m_canShowDialogs(canShowDialogs) {
}

int ScriptRunner::run(ScriptReader &script) {
    std::string line;
    std::string error;
    for (;;) {
        const ScriptReader::Status status = script.next(line, error);
        // Asked after every step, since a long call runs without the event loop: what the
        // signal interrupted, a read, a wait or a write, is no fault of the script.
        if (const int stopped = TerminationSignal::exitStatus(); stopped != 0)
            return stopped;
        if (status == ScriptReader::Status::End || status == ScriptReader::Status::Interrupted)
            return 0;
        ++m_lineNumber;
        if (status == ScriptReader::Status::Line) {
            const auto words = splitScriptLine(line, error);
            const bool ran = words && runLine(*words, error);
            if (const int stopped = TerminationSignal::exitStatus(); stopped != 0)
                return stopped;
            if (ran && m_outputError == 0)
                continue;
            if (m_outputError != 0)
                error = std::string("cannot write the output: ") + std::strerror(m_outputError);
        }
        std::fprintf(stderr, "nelowav: line %zu: %s\n", m_lineNumber, error.c_str());
        return 2;
    }
}

void ScriptRunner::onDone(int16_t notifyCode) {
    print(formatDone(m_style, notifyCode));
}

void ScriptRunner::print(const std::string &line) {
    if (std::fputs(line.c_str(), stdout) == EOF || std::fputc('\n', stdout) == EOF ||
        std::fflush(stdout) != 0) {
        if (m_outputError == 0)
            m_outputError = errno;
    }
}

bool ScriptRunner::runLine(const std::vector<ScriptWord> &words, std::string &error) {
    if (words.empty())
        return true;
    if (!words[0].quoted && words[0].text == "wait-done")
        return waitDone(words, error);
    if (!words[0].quoted && words[0].text == "sleep")
        return sleep(words, error);
    return callMethod(words, error);
}

bool ScriptRunner::waitDone(const std::vector<ScriptWord> &words, std::string &error) {
    std::optional<int> ms = kDefaultWaitMs;
    if (words.size() == 2)
        ms = parseMilliseconds(words[1]);
    if (words.size() > 2 || !ms) {
        error = "wait-done takes at most one duration in milliseconds";
        return false;
    }
    // Done is the control's one event, and one that came since the last wait-done returned, in
    // a sleep say, is the one this waits for.
    if (m_host.waitForEvent(std::chrono::milliseconds(*ms)) != S_OK &&
        TerminationSignal::exitStatus() == 0)
        std::fprintf(stderr, "nelowav: line %zu: no Done within %d ms\n", m_lineNumber, *ms);
    return true;
}

bool ScriptRunner::sleep(const std::vector<ScriptWord> &words, std::string &error) {
    const std::optional<int> ms = words.size() == 2 ? parseMilliseconds(words[1]) : std::nullopt;
    if (!ms) {
        error = "sleep takes one duration in milliseconds";
        return false;
    }
    QEventLoop loop;
    QTimer::singleShot(*ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

bool ScriptRunner::callMethod(const std::vector<ScriptWord> &words, std::string &error) {
    const FUNCDESC *function = nullptr;
    if (FAILED(m_host.findMethod(words[0].text, &function))) {
        error = "unknown method ";
        error += quotedExcerpt(words[0].text);
        return false;
    }
    MethodArguments arguments;
    if (!arguments.prepare(*function, std::vector<ScriptWord>(words.begin() + 1, words.end()),
                           error))
        return false;
    if (function->memid == DISPID_ABOUTBOX && !m_canShowDialogs) {
        std::fprintf(stderr, "nelowav: line %zu: no display available, so %s shows no dialog\n",
                     m_lineNumber, function->name.c_str());
        return true;
    }
    Variant result;
    if (const HRESULT hr = m_host.invoke(*function, arguments.values(), result.get()); FAILED(hr)) {
        error = function->name + " failed: " + hresultText(hr);
        return false;
    }
    int32_t code = 0;
    if (const HRESULT hr = m_host.errorCode(code); FAILED(hr)) {
        error = "GetErrorCode failed: " + hresultText(hr);
        return false;
    }
    print(formatCall(m_style, function->name, arguments.shown(), *result.get(), code));
    return arguments.finish(code, error);
}
