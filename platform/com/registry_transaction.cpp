// Registry transactions: the lock and the snapshot of the outermost one, the nesting per thread.
#include "com/registry_transaction.h"

#include "registry_file.h"

namespace {
// Per thread, so that another thread's registry calls wait for the lock instead of writing
// into a transaction they know nothing of.
thread_local RegistryTransaction *t_currentTransaction = nullptr;
} // namespace

RegistryTransaction::RegistryTransaction() = default;

RegistryTransaction::~RegistryTransaction() {
    if (m_open)
        close();
}

RegistryTransaction *RegistryTransaction::current() {
    return t_currentTransaction;
}

HRESULT RegistryTransaction::begin() {
    if (m_open)
        return E_UNEXPECTED;
    if (RegistryTransaction *outer = t_currentTransaction) {
        m_before = outer->m_tree;
        m_tree = m_before;
        m_outer = outer;
    } else {
        std::string configured;
        if (!configuredRegistryFile(configured) || !resolveRegistryFile(configured, m_file))
            return REGDB_E_WRITEREGDB;
        auto lock = std::make_unique<RegistryLock>();
        if (!lock->acquire(m_file))
            return REGDB_E_WRITEREGDB;
        if (const HRESULT hr = readRegistryFile(m_file, m_before); FAILED(hr))
            return hr;
        m_tree = m_before;
        m_lock = std::move(lock);
    }
    m_open = true;
    t_currentTransaction = this;
    return S_OK;
}

HRESULT RegistryTransaction::commit() {
    if (!m_open)
        return E_UNEXPECTED;
    HRESULT hr = S_OK;
    if (m_outer)
        m_outer->m_tree = std::move(m_tree);
    else if (changed())
        hr = replaceRegistryFile(m_file, m_tree.serialize());
    close();
    return hr;
}

void RegistryTransaction::close() {
    t_currentTransaction = m_outer;
    m_outer = nullptr;
    m_lock.reset();
    m_open = false;
}

HRESULT runRegistryTransaction(HRESULT registryFailure,
                               const std::function<HRESULT(RegistryTransaction &)> &steps) {
    RegistryTransaction transaction;
    if (FAILED(transaction.begin()))
        return registryFailure;
    const HRESULT hr = steps(transaction);
    if (FAILED(hr))
        return hr;
    return FAILED(transaction.commit()) ? registryFailure : hr;
}
