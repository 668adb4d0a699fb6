// The registry file's text: what parses must write back as text that parses to the same tree,
// and writing that tree again must give the same text. A walk of the keys must reach every key
// once, each as a subkey of its parent.
#include "com/registry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

std::string folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return out;
}

void walkKeys(const RegistryTree &tree) {
    std::set<std::string> seen;
    for (const std::string &key : tree.keys()) {
        check(RegistryTree::isValidKey(key) && tree.hasKey(key));
        check(seen.insert(folded(key)).second);
        std::set<std::string> children;
        for (const std::string &child : tree.subkeys(key)) {
            check(!child.empty() && child.find('\\') == std::string::npos);
            check(children.insert(folded(child)).second);
            check(tree.hasKey(key + "\\" + child));
        }
        for (const std::string &name : tree.valueNames(key))
            check(tree.value(key, name).has_value());
        const size_t parentEnd = key.rfind('\\');
        if (parentEnd == std::string::npos)
            continue;
        const std::string parent = key.substr(0, parentEnd);
        const std::string name = folded(key.substr(parentEnd + 1));
        const std::vector<std::string> siblings = tree.subkeys(parent);
        check(std::count_if(siblings.begin(), siblings.end(), [&](const std::string &sibling) {
                  return folded(sibling) == name;
              }) == 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    RegistryTree first;
    size_t errorLine = 0;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    if (FAILED(RegistryTree::parse(text, first, &errorLine))) {
        check(errorLine >= 1 && first == RegistryTree{});
        return 0;
    }
    walkKeys(first);
    const std::string written = first.serialize();
    RegistryTree second;
    check(RegistryTree::parse(written, second) == S_OK);
    check(second == first);
    check(second.serialize() == written);
    return 0;
}
