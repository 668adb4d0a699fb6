// Placeholder until the registry lands.
#include "com/registry.h"

bool RegistryTree::isValidKey(std::string_view) { return false; }
bool RegistryTree::hasKey(std::string_view) const { return false; }
std::optional<std::string> RegistryTree::value(std::string_view, std::string_view) const { return {}; }
std::vector<std::string> RegistryTree::valueNames(std::string_view) const { return {}; }
std::vector<std::string> RegistryTree::subkeys(std::string_view) const { return {}; }
std::vector<std::string> RegistryTree::keys() const { return {}; }
HRESULT RegistryTree::createKey(std::string_view) { return E_NOTIMPL; }
HRESULT RegistryTree::setValue(std::string_view, std::string_view, std::string_view) { return E_NOTIMPL; }
HRESULT RegistryTree::deleteValue(std::string_view, std::string_view) { return E_NOTIMPL; }
HRESULT RegistryTree::deleteTree(std::string_view) { return E_NOTIMPL; }
std::string RegistryTree::serialize() const { return {}; }
HRESULT RegistryTree::parse(std::string_view, RegistryTree &, size_t *) { return E_NOTIMPL; }
std::string Registry::path() { return {}; }
HRESULT Registry::read(RegistryTree &) { return E_NOTIMPL; }
HRESULT Registry::update(const std::function<HRESULT(RegistryTree &)> &) { return E_NOTIMPL; }
HRESULT Registry::getValue(std::string_view, std::string_view, std::string &) { return E_NOTIMPL; }
HRESULT Registry::setValue(std::string_view, std::string_view, std::string_view) { return E_NOTIMPL; }
HRESULT Registry::deleteTree(std::string_view) { return E_NOTIMPL; }
