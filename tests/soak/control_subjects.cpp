// The control's soak subjects: a host's calls through the control's dispatch interface.
#include "activex/control_site.h"
#include "com/automation_string.h"
#include "com/hresult.h"
#include "com/variant.h"
#include "interface/nelowav_ids.h"
#include "small_wave_file.h"
#include "soak_subject.h"
#include "variant_arguments.h"

#include <vector>

namespace {

constexpr uint32_t kFrames = 800;

class ControlSubject : public SoakSubject {
  public:
    explicit ControlSubject(const std::string &folder)
        : m_path(folder + "/soak sound.wav") {
        std::string error;
        if (!writeSmallWave(m_path, kFrames))
            m_failure = "cannot write " + m_path;
        else if (FAILED(m_site.create(CLSID_NeloWav, error)))
            m_failure = error;
    }

  protected:
    // Calls the method and reads the control's code; empty when it is 0.
    std::string call(const char *method, std::vector<VARIANT> args = {}) {
        if (!m_failure.empty())
            return m_failure;
        if (const HRESULT hr = m_site.invoke(method, args); FAILED(hr))
            return std::string(method) + " could not be called: " + hresultName(hr);
        Variant code;
        m_site.invoke(dispidGetErrorCode, {}, code.get());
        if (code->lVal == 0)
            return {};
        Variant message;
        m_site.invoke(dispidGetErrorMessage, {}, message.get());
        return std::string(method) + " gave " + std::to_string(code->lVal) + ": " +
               utf8FromBstr(message->bstrVal);
    }

    std::string open() {
        const Variant name(m_path);
        return call("Open", {*name.get()});
    }

    std::string m_failure;

  private:
    std::string m_path;
    ControlSite m_site;
};

class OpenCloseSubject final : public ControlSubject {
  public:
    using ControlSubject::ControlSubject;

    std::string run(int rounds) override {
        for (int round = 0; round < rounds; ++round) {
            std::string failure = open();
            if (failure.empty())
                failure = call("Close");
            if (!failure.empty())
                return failure;
        }
        return {};
    }
};

class EditSubject final : public ControlSubject {
  public:
    explicit EditSubject(const std::string &folder)
        : ControlSubject(folder)
        , m_samples(kFrames) {
        if (m_failure.empty())
            m_failure = open();
    }

    std::string run(int rounds) override {
        for (int round = 0; round < rounds; ++round) {
            if (std::string failure = edit(m_edits++); !failure.empty())
                return failure;
        }
        return {};
    }

  private:
    std::string edit(long number) {
        const bool even = number / 6 % 2 == 0;
        switch (number % 6) {
        case 0:
            return call("WavFileToArray",
                        {variantShortArray(m_samples.data()), variantI4(kFrames)});
        case 1:
            return call("ArrayToWavFile",
                        {variantShortArray(m_samples.data()), variantI4(kFrames)});
        case 2:
            return call("ChangeVolume", {variantI4(0), variantI4(-1), variantR4(even ? 0.5F : 2)});
        case 3:
            return call("Copy", {variantI4(0), variantI4(99)});
        case 4:
            return call("Paste", {variantI4(100), variantI4(199)});
        default:
            return call("SetSamplingRate", {variantI4(even ? 11025 : 8000)});
        }
    }

    std::vector<int16_t> m_samples;
    long m_edits = 0;
};

} // namespace

std::unique_ptr<SoakSubject> makeOpenCloseSubject(const std::string &folder) {
    return std::make_unique<OpenCloseSubject>(folder);
}

std::unique_ptr<SoakSubject> makeEditSubject(const std::string &folder) {
    return std::make_unique<EditSubject>(folder);
}
