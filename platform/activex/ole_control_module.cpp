// The module object's registration, start and end, and the module's object count.
#include "activex/ole_control_module.h"

#include "com/creation.h"

#include <atomic>

namespace {

COleControlModule *g_module = nullptr;
std::atomic<long> g_lockCount{0};

// Built on the first export call, after the module object, so it is destroyed before it and
// can still run the module end.
struct ModuleLifetime {
    bool started;
    ModuleLifetime()
        : started(g_module != nullptr && g_module->InitInstance() != 0) {}
    ~ModuleLifetime() {
        if (started && g_module != nullptr)
            g_module->ExitInstance();
    }
    ModuleLifetime(const ModuleLifetime &) = delete;
    ModuleLifetime &operator=(const ModuleLifetime &) = delete;
};

} // namespace

COleControlModule::COleControlModule() {
    g_module = this;
}

COleControlModule::~COleControlModule() {
    g_module = nullptr;
}

BOOL COleControlModule::InitInstance() {
    return 1;
}

int COleControlModule::ExitInstance() {
    return 0;
}

std::string COleControlModule::ModuleFileName() const {
    return moduleFileName(this);
}

HINSTANCE AfxGetInstanceHandle() {
    return g_module;
}

AfxModuleStateGuard::AfxModuleStateGuard() {
    static const ModuleLifetime lifetime;
    m_started = lifetime.started;
}

void AfxOleLockApp() {
    ++g_lockCount;
}

void AfxOleUnlockApp() {
    --g_lockCount;
}

HRESULT AfxDllCanUnloadNow() {
    return g_lockCount == 0 ? S_OK : S_FALSE;
}
