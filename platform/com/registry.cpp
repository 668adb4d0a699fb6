// The registry's public calls: each read or update is a transaction of its own, or a step of
// the transaction open on the calling thread.
#include "com/registry.h"

#include "com/hresult.h"
#include "com/registry_transaction.h"
#include "registry_file.h"
#include "com/system_registry.h"


std::string Registry::path() {
    std::string configured;
    return configuredRegistryFile(configured) ? configured : std::string();
}

HRESULT Registry::read(RegistryTree &out) {
    return catchOutOfMemory([&] {
        if (const RegistryTransaction *open = RegistryTransaction::current()) {
            out = open->tree();
            return S_OK;
        }
        std::string configured;
        std::string file;
        if (!configuredRegistryFile(configured) || !resolveRegistryFile(configured, file))
            return REGDB_E_READREGDB;
        const HRESULT hr = readRegistryFile(file, out);
        if (FAILED(hr))
            return hr;
        // An installation's registry that cannot be read only hides what it would have added.
        for (const std::string &systemFile : systemRegistryFiles()) {
            RegistryTree system;
            if (SUCCEEDED(readRegistryFile(systemFile, system)))
                mergeSystemKeys(system, out);
        }
        return hr;
    });
}

HRESULT Registry::update(const std::function<HRESULT(RegistryTree &)> &change) {
    return catchOutOfMemory([&] {
        RegistryTransaction transaction;
        HRESULT hr = transaction.begin();
        if (FAILED(hr))
            return hr;
        try {
            hr = catchOutOfMemory([&] { return change(transaction.tree()); });
        } catch (...) {
            return E_FAIL;
        }
        if (FAILED(hr))
            return hr;
        const HRESULT committed = transaction.commit();
        return FAILED(committed) ? committed : hr;
    });
}

HRESULT Registry::getValue(std::string_view key, std::string_view name, std::string &value) {
    RegistryTree tree;
    const HRESULT hr = read(tree);
    if (FAILED(hr))
        return hr;
    auto found = tree.value(key, name);
    if (!found)
        return REGDB_E_KEYMISSING;
    value = std::move(*found);
    return S_OK;
}

HRESULT Registry::setValue(std::string_view key, std::string_view name, std::string_view value) {
    return update([&](RegistryTree &tree) { return tree.setValue(key, name, value); });
}

HRESULT Registry::deleteTree(std::string_view key) {
    return update([&](RegistryTree &tree) { return tree.deleteTree(key); });
}
