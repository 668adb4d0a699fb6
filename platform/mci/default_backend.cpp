// The default back end: SDL's, loaded from its module beside this library at the first play or
// record; the real-time null sink when that module cannot be loaded.
#include "mci/audio_backend.h"
#include "mci/mci_trace.h"
#include "mci/sdl_backend_module.h"

#include <dlfcn.h>
#include <filesystem>
#include <mutex>
#include <string>

namespace {

// The folder of the file this code was loaded from, where the module was installed beside it.
std::string moduleBesideThisLibrary() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void *>(&makeDefaultBackend), &info) == 0 ||
        info.dli_fname == nullptr)
        return kSdlBackendModule;
    return (std::filesystem::path(info.dli_fname).parent_path() / kSdlBackendModule).string();
}

// The module is never unloaded: its code runs the streams until the process ends.
std::unique_ptr<AudioBackend> loadSdlBackend(std::string &why) {
    const std::string path = moduleBesideThisLibrary();
    void *module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void *entry = module == nullptr ? nullptr : ::dlsym(module, kSdlBackendEntry);
    if (entry == nullptr) {
        const char *error = ::dlerror();
        why = error != nullptr ? error : "it has no entry";
        return nullptr;
    }
    std::unique_ptr<AudioBackend> backend(reinterpret_cast<AudioBackend *(*)()>(entry)());
    if (!backend)
        why = "no memory for it";
    return backend;
}

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
            std::string why;
            m_backend = loadSdlBackend(why);
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
