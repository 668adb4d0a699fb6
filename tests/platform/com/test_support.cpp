// Shared pieces of the runtime's tests.
#include "test_support.h"

#include "com/registry.h"
#include "dispatch_call.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <sstream>

PrivateRegistry::PrivateRegistry()
    : m_path(m_folder.file("com-registry")) {
    ::setenv(kRegistryEnvironmentVariable, m_path.c_str(), 1);
}

PrivateRegistry::~PrivateRegistry() {
    ::unsetenv(kRegistryEnvironmentVariable);
}

std::string PrivateRegistry::contents() const {
    std::ifstream file(m_path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

HRESULT callModuleExport(const std::string &path, const char *name) {
    void *module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        return CO_E_ERRORINDLL;
    const auto entry = reinterpret_cast<HRESULT (*)()>(::dlsym(module, name));
    const HRESULT hr = entry ? entry() : CO_E_ERRORINDLL;
    ::dlclose(module);
    return hr;
}

HRESULT invokeMethod(IDispatch *object, DISPID id, std::vector<Variant> args, VARIANT *result,
                     uint32_t *argErr) {
    std::vector<VARIANT> plain;
    for (const Variant &arg : args)
        plain.push_back(*arg.get());
    return invokeMethod(object, id, std::move(plain), result, argErr);
}

HRESULT VariantEventSink::GetTypeInfoCount(uint32_t *pctinfo) {
    *pctinfo = 0;
    return S_OK;
}

HRESULT VariantEventSink::Invoke(DISPID dispIdMember, REFIID, LCID, uint16_t, DISPPARAMS *params,
                                 VARIANT *, EXCEPINFO *, uint32_t *) {
    Event event{dispIdMember, {}};
    for (uint32_t i = params->cArgs; i > 0; --i) {
        Variant copy;
        VariantCopy(copy.get(), &params->rgvarg[i - 1]);
        event.args.push_back(std::move(copy));
    }
    events.push_back(std::move(event));
    if (onEvent)
        onEvent();
    return S_OK;
}
