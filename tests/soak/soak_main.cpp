// korvane_soak SUBJECT COUNT: runs a subject COUNT times between two measurements of open file
// descriptors, files in a private temporary folder and resident memory, after a warm-up, and
// fails when any of them grew beyond noise.
#include "resource_use.h"
#include "soak_subject.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>

namespace {

// Resident memory may grow this much between the measurements. Freed memory is returned to
// the system before each measurement, so what remains is the allocator's fragmentation, Qt's
// and the audio back end's lazily filled caches and thread stacks: well under 1 MiB in every
// run seen. A leak of a few hundred bytes a round still crosses it within the full counts.
constexpr long kAllowedGrowthKiB = 1024;

// TMPDIR, the runtime folder and the registry file all in one folder of the run's own.
std::string makePrivateEnvironment() {
    const char *base = std::getenv("TMPDIR");
    std::string root = std::string(base && *base == '/' ? base : "/tmp") + "/korvane-soak-XXXXXX";
    if (::mkdtemp(root.data()) == nullptr)
        return {};
    std::filesystem::create_directory(root + "/tmp");
    std::filesystem::create_directory(root + "/runtime");
    ::chmod((root + "/runtime").c_str(), 0700);
    setenv("TMPDIR", (root + "/tmp").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
    setenv("KORVANE_COM_REGISTRY", (root + "/com-registry").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // No driver of that name exists, so the device plays on its real-time null sink.
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    return root;
}

bool registerControl() {
    void *module = ::dlopen(NELOWAV_MODULE, RTLD_NOW);
    if (module == nullptr)
        return false;
    auto registerServer = reinterpret_cast<long (*)()>(::dlsym(module, "DllRegisterServer"));
    const bool registered = registerServer != nullptr && registerServer() == 0;
    ::dlclose(module);
    return registered;
}

std::string figures(const ResourceUse &before, const ResourceUse &after) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "file descriptors %ld -> %ld, temporary files %ld -> %ld, resident memory %ld "
                  "KiB -> %ld KiB (%+ld KiB)",
                  before.fileDescriptors, after.fileDescriptors, before.temporaryFiles,
                  after.temporaryFiles, before.residentKiB, after.residentKiB,
                  after.residentKiB - before.residentKiB);
    return text;
}

bool grew(const ResourceUse &before, const ResourceUse &after) {
    return after.fileDescriptors > before.fileDescriptors ||
           after.temporaryFiles > before.temporaryFiles ||
           after.residentKiB - before.residentKiB > kAllowedGrowthKiB;
}

int soak(const std::string &name, int count, const std::string &root) {
    const std::map<std::string, std::function<std::unique_ptr<SoakSubject>()>> subjects = {
        {"open-close", [&] { return makeOpenCloseSubject(root); }},
        {"edits", [&] { return makeEditSubject(root); }},
        {"music-loops", [&] { return makeMusicSubject(root); }},
        {"games", [] { return makeGameSubject(); }},
    };
    const auto found = subjects.find(name);
    if (found == subjects.end()) {
        std::fprintf(stderr, "korvane_soak: unknown subject %s\n", name.c_str());
        return 2;
    }
    const std::unique_ptr<SoakSubject> subject = found->second();
    std::string failure = subject->run(std::clamp(count / 10, 2, 50));
    const ResourceUse before = measureResourceUse(root + "/tmp");
    if (failure.empty())
        failure = subject->run(count);
    const ResourceUse after = measureResourceUse(root + "/tmp");
    if (!failure.empty()) {
        std::fprintf(stderr, "korvane_soak: %s: %s\n", name.c_str(), failure.c_str());
        return 1;
    }
    std::printf("%s %d: %s\n", name.c_str(), count, figures(before, after).c_str());
    if (grew(before, after)) {
        std::fprintf(stderr, "korvane_soak: %s grew beyond noise\n", name.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    const int count = argc == 3 ? std::atoi(argv[2]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: korvane_soak open-close|edits|music-loops|games COUNT\n");
        return 2;
    }
    const std::string root = makePrivateEnvironment();
    if (root.empty()) {
        std::perror("korvane_soak: cannot make a private folder");
        return 1;
    }
    int status = 1;
    {
        QApplication application(argc, argv);
        if (registerControl())
            status = soak(argv[1], count, root);
        else
            std::fprintf(stderr, "korvane_soak: cannot register %s\n", NELOWAV_MODULE);
    }
    std::filesystem::remove_all(root);
    return status;
}
