// The registry: one text file of keys and values shaped like the platform's
// HKEY_CLASSES_ROOT, replaced atomically under a lock for every change. The reason for a
// failure is left as the thread's last error detail (com/error_detail.h).
//
// Keys are paths below HKEY_CLASSES_ROOT without the root, with backslashes
// ("CLSID\{...}\InprocServer32"). Key paths and value names compare without regard to ASCII
// case, as on the platform, and keep the case of their first writing. The empty value name
// is the key's default value ("@" in the file).
#pragma once

#include "com/hresult.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Name of the environment variable that overrides where the registry file lives.
inline constexpr const char *kRegistryEnvironmentVariable = "KORVANE_COM_REGISTRY";

// A snapshot of the whole registry, read and changed in memory.
class RegistryTree {
  public:
    // False when the key path is not acceptable: empty, a leading, trailing or doubled
    // backslash, or a line break or ']' anywhere in it.
    static bool isValidKey(std::string_view key);

    bool hasKey(std::string_view key) const;
    std::optional<std::string> value(std::string_view key, std::string_view name = {}) const;
    // Names of the values set on key, the default one as "".
    std::vector<std::string> valueNames(std::string_view key) const;
    // Immediate child key names (last path element), in sorted order.
    std::vector<std::string> subkeys(std::string_view key) const;
    std::vector<std::string> keys() const;

    // Create the key (and, implicitly, its parents) when missing. E_INVALIDARG for a bad key
    // or a value name with a line break.
    HRESULT createKey(std::string_view key);
    HRESULT setValue(std::string_view key, std::string_view name, std::string_view value);
    // S_FALSE when there was nothing to delete.
    HRESULT deleteValue(std::string_view key, std::string_view name);
    // Removes key and everything below it; S_FALSE when the key did not exist.
    HRESULT deleteTree(std::string_view key);

    // The file text, and its reading: REGDB_E_INVALIDVALUE (tree unchanged) for text that
    // is not a registry file, with the offending line number in *errorLine when given.
    std::string serialize() const;
    static HRESULT parse(std::string_view text, RegistryTree &out, size_t *errorLine = nullptr);

    bool operator==(const RegistryTree &) const = default;

  private:
    struct Key {
        std::string path;
        std::map<std::string, std::pair<std::string, std::string>>
            values; // folded -> (name, value)
        bool operator==(const Key &) const = default;
    };
    std::map<std::string, Key> m_keys; // folded path -> key; parents are implicit
};

class Registry {
  public:
    // KORVANE_COM_REGISTRY when set and not empty, else
    // ${XDG_DATA_HOME:-$HOME/.local/share}/korvane/com-registry; empty when the variable holds
    // a relative path (which is refused, not ignored) or there is no home folder.
    static std::string path();

    // Reads the current contents, following a symbolic link at path(). A missing file is an
    // empty registry; a file that cannot be read or is malformed gives REGDB_E_READREGDB.
    // Inside a transaction of the calling thread, gives that transaction's contents.
    static HRESULT read(RegistryTree &out);

    // Read-modify-write as a transaction of its own (see registry_transaction.h), or as a step
    // of the one open on the calling thread. When change returns a failure code, or throws,
    // nothing is changed and that code (E_OUTOFMEMORY or E_FAIL for an exception) is returned.
    // REGDB_E_READREGDB when the current file is unreadable or malformed (it is left alone),
    // REGDB_E_WRITEREGDB when the new one cannot be written (the old one stays intact).
    // Missing parent folders are created.
    static HRESULT update(const std::function<HRESULT(RegistryTree &)> &change);

    // One-step conveniences. getValue gives REGDB_E_KEYMISSING for a missing key or value.
    static HRESULT getValue(std::string_view key, std::string_view name, std::string &value);
    static HRESULT setValue(std::string_view key, std::string_view name, std::string_view value);
    static HRESULT deleteTree(std::string_view key);
};
