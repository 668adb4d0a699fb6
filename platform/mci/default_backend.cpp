// The default back end: SDL's, loaded from its module beside this library at the first play or
// record; the real-time null sink when that module cannot be loaded.
#include "base/module_loader.h"
#include "mci/audio_backend.h"
#include "mci/mci_trace.h"
#include "mci/sdl_backend_module.h"

#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <string>

namespace {

// The module installed beside the file this code was loaded from; empty when that file is
// unknown, since a bare name would be looked for along the library search path.
std::string moduleBesideThisLibrary() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&makeDefaultBackend), &info) == 0 ||
        info.dli_fname == nullptr)
        return {};
    return (std::filesystem::path(info.dli_fname).parent_path() / kSdlBackendModule).string();
}

} // namespace

std::unique_ptr<AudioBackend> loadBackendModule(const std::string &path, std::string &why) {
    LoadedModule module;
    if (const auto error = module.open(path)) {
        why = error->reason;
        return nullptr;
    }
    void *entry = module.symbol(kSdlBackendEntry);
    if (entry == nullptr) {
        why = path + " has no entry " + kSdlBackendEntry;
        return nullptr;
    }
    std::unique_ptr<AudioBackend> backend(reinterpret_cast<AudioBackend *(*)()>(entry)());
    if (!backend) {
        why = "no memory for it";
        return nullptr;
    }
    // Its code runs the streams until the process ends.
    module.keepLoaded();
    return backend;
}

namespace {

class DeferredBackend final : public AudioBackend {
  public:
    std::unique_ptr<AudioStream> play(StreamFormat format, PullFrames pull,
                                      StreamEnded ended) override {
        return loaded().play(format, std::move(pull), std::move(ended));
    }

    std::unique_ptr<AudioStream> record(StreamFormat format, PushFrames push,
                                        StreamEnded ended) override {
        return loaded().record(format, std::move(push), std::move(ended));
    }

  private:
    AudioBackend &loaded() {
        std::call_once(m_loading, [this] {
            std::string why = "the folder of the media library is unknown";
            const std::string path = moduleBesideThisLibrary();
            m_backend = path.empty() ? nullptr : loadBackendModule(path, why);
            if (m_backend)
                return;
            mciTrace("fallback: every stream on the null sink, since %s does not load: %s",
                     kSdlBackendModule, why.c_str());
            m_backend = makeNullBackend(steadyAudioClock());
        });
        return *m_backend;
    }

    std::once_flag m_loading;
    std::unique_ptr<AudioBackend> m_backend;
};

} // namespace

std::unique_ptr<AudioBackend> makeDefaultBackend() {
    return std::make_unique<DeferredBackend>();
}
