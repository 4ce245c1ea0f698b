#include "framework/core/Registry.h"

#include <string_view>

#include "framework/core/RegistryException.h"

namespace {

// A name that starts with "\" counts from the root, without that "\".
std::string_view Relative(const std::string& key, bool& fromRoot) {
  fromRoot = !key.empty() && key[0] == '\\';
  return fromRoot ? std::string_view(key).substr(1) : std::string_view(key);
}

}  // namespace

TRegistry::TRegistry() : rootKey_(HKEY_CLASSES_ROOT) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  rootKey_ = root;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  // Nothing is ever created: this registry is read only, so canCreate
  // changes nothing and a missing key is simply not opened.
  bool fromRoot = false;
  const std::string_view name = Relative(key, fromRoot);
  const bool fromCurrent = !fromRoot && currentKey_ != nullptr;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(fromCurrent ? currentKey_ : rootKey_, std::string(name), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  std::string path = fromCurrent ? currentPath_ : std::string();
  if (!path.empty() && !name.empty()) path += '\\';
  path += name;
  CloseKey();
  currentKey_ = opened;
  currentPath_ = std::move(path);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenKey(key, false); }

bool TRegistry::KeyExists(const std::string& key) const {
  bool fromRoot = false;
  const std::string_view name = Relative(key, fromRoot);
  return platform::RegKeyExists(!fromRoot && currentKey_ != nullptr ? currentKey_ : rootKey_, name);
}

bool TRegistry::ValueExists(const std::string& name) const {
  return currentKey_ != nullptr && RegQueryValueExA(currentKey_, name, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (currentKey_ == nullptr) return {};
  std::uint32_t type = REG_NONE;
  std::string data;
  if (RegQueryValueExA(currentKey_, name, &type, &data) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + name + "'");
  return data;
}

void TRegistry::CloseKey() {
  if (currentKey_ != nullptr) RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}
