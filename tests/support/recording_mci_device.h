// A media device for tests: it records every command text with its callback window and
// answers from a script, so a test sees exactly what a caller sends and needs no audio.
#pragma once

#include "mci/mci_device.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class RecordingMciDevice final : public MciDevice {
  public:
    struct Answer {
        std::string commandPrefix;
        MCIERROR code;
        std::string reply;
    };

    struct Command {
        std::string text;
        HWND callback;
    };

    // Installs itself in front of mciSendStringA for its lifetime.
    RecordingMciDevice()
        : m_previous(SetMciDevice(this)) {}
    ~RecordingMciDevice() override { SetMciDevice(m_previous); }
    RecordingMciDevice(const RecordingMciDevice &) = delete;
    RecordingMciDevice &operator=(const RecordingMciDevice &) = delete;

    // The first answer whose prefix starts a command is given for it; 0 and no reply otherwise.
    void answer(std::string commandPrefix, MCIERROR code, std::string reply = {}) {
        answers.push_back({std::move(commandPrefix), code, std::move(reply)});
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const Command &command : commands)
            result.push_back(command.text);
        return result;
    }

    MCIERROR sendString(const char *command, char *returnString, UINT returnLength,
                        HWND callback) override {
        commands.push_back({command, callback});
        const auto found = std::find_if(answers.begin(), answers.end(), [&](const Answer &a) {
            return std::string_view(command).starts_with(a.commandPrefix);
        });
        const Answer none{{}, 0, {}};
        const Answer &given = found != answers.end() ? *found : none;
        if (returnString != nullptr && returnLength > 0) {
            const std::size_t length = std::min<std::size_t>(given.reply.size(), returnLength - 1);
            std::memcpy(returnString, given.reply.data(), length);
            returnString[length] = '\0';
        }
        return given.code;
    }

    std::vector<Answer> answers;
    std::vector<Command> commands;

  private:
    MciDevice *m_previous;
};
