// A registry transaction: while one is open on a thread, every registry read and update made
// there works on one locked copy of the registry, which commit writes back whole. One
// self-registration call is one transaction, so that it lands completely or not at all.
#pragma once

#include "com/registry.h"

#include <functional>
#include <memory>
#include <string>

class RegistryLock;

class RegistryTransaction {
  public:
    RegistryTransaction();
    // Abandons a transaction that was not committed: nothing of it is written.
    ~RegistryTransaction();
    RegistryTransaction(const RegistryTransaction &) = delete;
    RegistryTransaction &operator=(const RegistryTransaction &) = delete;

    // Opens the transaction on the calling thread, which must also end it. The outermost one
    // holds the registry's lock until it ends (REGDB_E_WRITEREGDB when it cannot be taken) and
    // reads the file (REGDB_E_READREGDB when it cannot be read). One opened inside another
    // works on a copy of the outer one's registry and hands it back on commit.
    HRESULT begin();

    // Ends the transaction; the outermost one writes the file once, when anything changed.
    // REGDB_E_WRITEREGDB when it cannot be written, the old file then staying as it was;
    // E_UNEXPECTED when the transaction is not open.
    HRESULT commit();

    RegistryTree &tree() { return m_tree; }
    const RegistryTree &tree() const { return m_tree; }
    bool changed() const { return m_tree != m_before; }

    // The innermost open transaction of the calling thread, or null.
    static RegistryTransaction *current();

  private:
    void close();

    RegistryTransaction *m_outer = nullptr;
    std::unique_ptr<RegistryLock> m_lock;
    std::string m_file;
    RegistryTree m_before;
    RegistryTree m_tree;
    bool m_open = false;
};

// Runs steps in one transaction: their changes are written together when they succeed and not
// at all when they fail. Gives registryFailure when the registry cannot be opened or written,
// else the steps' result.
HRESULT runRegistryTransaction(HRESULT registryFailure,
                               const std::function<HRESULT(RegistryTransaction &)> &steps);
