// The registry's contents in memory, and their text form:
//
//   ; comment
//   [CLSID\{...}\InprocServer32]
//   @="/usr/lib/libnelowav.so"
//   "ThreadingModel"="Apartment"
//
// A key line names a key path; value lines below it give the default value (@) or a named
// one. Names and values are quoted, with \\ \" \n \r \t and \xHH escapes for other control
// bytes. A key without values still has its line, so empty keys survive.
#include "base/ascii_case.h"
#include "base/hex_digit.h"
#include "com/registry.h"

#include <algorithm>
#include <cstdio>

namespace {
bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

bool needsEscape(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '\\' || c == '"' || byte < 0x20 || byte == 0x7F;
}

void appendEscaped(std::string &out, char c) {
    if (c == '\\' || c == '"') {
        out.push_back('\\');
        out.push_back(c);
    } else if (c == '\n') {
        out += "\\n";
    } else if (c == '\r') {
        out += "\\r";
    } else if (c == '\t') {
        out += "\\t";
    } else {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
        out += escape;
    }
}

// Plain runs are copied whole: values may be large, and the file is written on every update.
void appendQuoted(std::string &out, std::string_view text) {
    out.push_back('"');
    while (!text.empty()) {
        const auto special = std::find_if(text.begin(), text.end(), needsEscape);
        const size_t plain = static_cast<size_t>(special - text.begin());
        out.append(text.substr(0, plain));
        text.remove_prefix(plain);
        if (!text.empty()) {
            appendEscaped(out, text.front());
            text.remove_prefix(1);
        }
    }
    out.push_back('"');
}

// Reads a quoted string at line[at], advancing past its closing quote.
bool readQuoted(std::string_view line, size_t &at, std::string &out) {
    if (at >= line.size() || line[at] != '"')
        return false;
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++at >= line.size())
            return false;
        switch (line[at]) {
        case '\\':
            out.push_back('\\');
            break;
        case '"':
            out.push_back('"');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'x': {
            if (at + 2 >= line.size())
                return false;
            const int high = hexDigitValue(line[at + 1]);
            const int low = hexDigitValue(line[at + 2]);
            if (high < 0 || low < 0)
                return false;
            out.push_back(static_cast<char>(high * 16 + low));
            at += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

// Parses `@="value"` or `"name"="value"`.
bool parseValueLine(std::string_view line, std::string &name, std::string &value) {
    size_t at = 0;
    if (line.substr(0, 1) == "@")
        at = 1;
    else if (!readQuoted(line, at, name))
        return false;
    if (at >= line.size() || line[at] != '=')
        return false;
    ++at;
    return readQuoted(line, at, value) && at == line.size() && !hasControlCharacter(name);
}
} // namespace

bool RegistryTree::isValidKey(std::string_view key) {
    return !key.empty() && key.front() != '\\' && key.back() != '\\' &&
           key.find("\\\\") == std::string_view::npos && key.find(']') == std::string_view::npos &&
           !hasControlCharacter(key);
}

bool RegistryTree::hasKey(std::string_view key) const {
    const std::string path = asciiLowered(key);
    if (m_keys.count(path) != 0)
        return true;
    // A parent exists through its children. Looking right after the key itself would stop at
    // a sibling such as "a-b", which sorts between "a" and "a\b".
    const std::string prefix = path + '\\';
    const auto child = m_keys.lower_bound(prefix);
    return child != m_keys.end() && child->first.starts_with(prefix);
}

std::optional<std::string> RegistryTree::value(std::string_view key, std::string_view name) const {
    const auto found = m_keys.find(asciiLowered(key));
    if (found == m_keys.end())
        return std::nullopt;
    const auto entry = found->second.values.find(asciiLowered(name));
    if (entry == found->second.values.end())
        return std::nullopt;
    return entry->second.second;
}

std::vector<std::string> RegistryTree::valueNames(std::string_view key) const {
    std::vector<std::string> names;
    const auto found = m_keys.find(asciiLowered(key));
    if (found != m_keys.end()) {
        for (const auto &entry : found->second.values)
            names.push_back(entry.second.first);
    }
    return names;
}

std::vector<std::string> RegistryTree::subkeys(std::string_view key) const {
    const std::string prefix = asciiLowered(key) + '\\';
    // A child's own entry and its descendants' need not be neighbours: "a-b" sorts between
    // "a" and "a\c". Hence gathered by folded name rather than compared with the last one.
    std::map<std::string, std::string_view> children;
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && it->first.starts_with(prefix);
         ++it) {
        const std::string_view rest = std::string_view(it->second.path).substr(prefix.size());
        const std::string_view child = rest.substr(0, rest.find('\\'));
        children.emplace(asciiLowered(child), child);
    }
    std::vector<std::string> names;
    for (const auto &child : children)
        names.emplace_back(child.second);
    return names;
}

std::vector<std::string> RegistryTree::keys() const {
    std::vector<std::string> paths;
    for (const auto &entry : m_keys)
        paths.push_back(entry.second.path);
    return paths;
}

HRESULT RegistryTree::createKey(std::string_view key) {
    if (!isValidKey(key))
        return E_INVALIDARG;
    const std::string path = asciiLowered(key);
    if (m_keys.find(path) == m_keys.end()) {
        // Children created earlier lend their spelling to the parent path, so one key is
        // never stored under two spellings.
        std::string spelled(key);
        const auto child = m_keys.lower_bound(path + '\\');
        if (child != m_keys.end() && child->first.starts_with(path + '\\'))
            spelled = child->second.path.substr(0, key.size());
        m_keys.emplace(path, Key{spelled, {}});
    }
    return S_OK;
}

HRESULT RegistryTree::setValue(std::string_view key, std::string_view name,
                               std::string_view value) {
    if (hasControlCharacter(name))
        return E_INVALIDARG;
    const HRESULT hr = createKey(key);
    if (FAILED(hr))
        return hr;
    auto &values = m_keys[asciiLowered(key)].values;
    const auto found = values.find(asciiLowered(name));
    if (found != values.end())
        found->second.second = value;
    else
        values.emplace(asciiLowered(name), std::pair{std::string(name), std::string(value)});
    return S_OK;
}

HRESULT RegistryTree::deleteValue(std::string_view key, std::string_view name) {
    const auto found = m_keys.find(asciiLowered(key));
    if (found == m_keys.end())
        return S_FALSE;
    return found->second.values.erase(asciiLowered(name)) > 0 ? S_OK : S_FALSE;
}

HRESULT RegistryTree::deleteTree(std::string_view key) {
    if (!isValidKey(key))
        return E_INVALIDARG;
    const std::string path = asciiLowered(key);
    bool removed = m_keys.erase(path) > 0;
    const std::string prefix = path + '\\';
    auto it = m_keys.lower_bound(prefix);
    while (it != m_keys.end() && it->first.starts_with(prefix)) {
        it = m_keys.erase(it);
        removed = true;
    }
    return removed ? S_OK : S_FALSE;
}

std::string RegistryTree::serialize() const {
    std::string text = "; Korvane COM registry\n";
    for (const auto &entry : m_keys) {
        text += '[' + entry.second.path + "]\n";
        for (const auto &value : entry.second.values) {
            if (value.second.first.empty())
                text += '@';
            else
                appendQuoted(text, value.second.first);
            text += '=';
            appendQuoted(text, value.second.second);
            text += '\n';
        }
    }
    return text;
}

HRESULT RegistryTree::parse(std::string_view text, RegistryTree &out, size_t *errorLine) {
    RegistryTree tree;
    std::string currentKey;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        bool good = false;
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            currentKey = line.substr(1, line.size() - 2);
            good = SUCCEEDED(tree.createKey(currentKey));
        } else if (!currentKey.empty()) {
            std::string name;
            std::string value;
            good = parseValueLine(line, name, value) &&
                   SUCCEEDED(tree.setValue(currentKey, name, value));
        }
        if (!good) {
            if (errorLine)
                *errorLine = lineNumber;
            return REGDB_E_INVALIDVALUE;
        }
    }
    out = std::move(tree);
    return S_OK;
}
