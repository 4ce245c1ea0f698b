#include "platform/registry/SystemRegistry.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <memory>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/registry/MimeDatabase.h"

/// A key that is open: its path below the root, as the caller spelled it.
/// The path is looked up again on every read, so a key stays valid when the
/// registry is reloaded underneath it.
struct RegistryKey {
  std::string path;
};

namespace {
RegistryKey g_classesRoot;
}  // namespace

const HKEY HKEY_CLASSES_ROOT = &g_classesRoot;

namespace platform {

namespace {

struct TestValue {
  std::string foldedName;
  std::uint32_t type;
  std::string data;
};

struct State {
  std::unique_ptr<MimeDatabase> database;
  TextMap<std::vector<TestValue>> testKeys;  // by folded path
};

State& Registry() {
  static State state;
  return state;
}

// The database is read on first use, not at start-up: only the file-type
// learner needs it, and each of its runs reads it afresh (RereadFileTypes).
MimeDatabase& Database() {
  State& state = Registry();
  if (!state.database) state.database = std::make_unique<MimeDatabase>();
  return *state.database;
}

constexpr std::string_view kDefaultIcon = "\\defaulticon";

// Whether the database has a key at this folded path; when it has, its
// default value goes to `value` (unless null). The root is not asked here.
bool DatabaseKey(std::string_view path, std::string* value) {
  MimeDatabase& database = Database();
  if (path.find('\\') == std::string_view::npos) {
    const std::string* text = path[0] == '.' ? database.ExtensionType(path) : database.Description(path);
    if (text == nullptr) return false;
    if (value != nullptr) *value = *text;
    return true;
  }
  if (path.size() <= kDefaultIcon.size() || path.substr(path.size() - kDefaultIcon.size()) != kDefaultIcon) {
    return false;
  }
  const std::string_view type = path.substr(0, path.size() - kDefaultIcon.size());
  if (type.find('\\') != std::string_view::npos || type[0] == '.') return false;
  // A type's subkey exists only below a type's key.
  if (database.Description(type) == nullptr) return false;
  const std::string* icon = database.IconFile(type);
  if (icon == nullptr) return false;
  // The drive map may change while the program runs: the drive path is made
  // when it is read.
  const std::optional<std::string> drivePath = DrivePath(*icon);
  if (!drivePath) return false;
  if (value != nullptr) *value = *drivePath + ",0";
  return true;
}

bool KeyExistsAt(std::string_view folded) {
  if (folded.empty()) return true;
  State& state = Registry();
  if (!state.testKeys.empty() && state.testKeys.find(folded) != state.testKeys.end()) return true;
  return DatabaseKey(folded, nullptr);
}

std::string JoinPath(const RegistryKey& key, std::string_view subKey) {
  if (key.path.empty()) return std::string(subKey);
  if (subKey.empty()) return key.path;
  std::string path = key.path;
  path += '\\';
  path += subKey;
  return path;
}

std::string& FoldBuffer() {
  static std::string buffer;
  return buffer;
}

}  // namespace

void FoldKeyName(std::string_view name, std::string& folded) {
  folded.clear();
  const auto length = static_cast<int32_t>(name.size());
  for (int32_t i = 0; i < length;) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
      ++i;
      continue;
    }
    int32_t next = i;
    UChar32 code = 0;
    U8_NEXT(name.data(), next, length, code);
    if (code < 0) {
      folded.append(name.data() + i, static_cast<std::size_t>(next - i));  // not UTF-8: the bytes as they are
    } else {
      char bytes[U8_MAX_LENGTH];
      int32_t size = 0;
      U8_APPEND_UNSAFE(bytes, size, u_tolower(code));
      folded.append(bytes, static_cast<std::size_t>(size));
    }
    i = next;
  }
}

bool RegKeyExists(HKEY key, std::string_view subKey) {
  if (key == nullptr) return false;
  std::string& folded = FoldBuffer();
  if (key->path.empty()) {
    FoldKeyName(subKey, folded);
  } else {
    FoldKeyName(JoinPath(*key, subKey), folded);
  }
  return KeyExistsAt(folded);
}

void RereadFileTypes() { Registry().database.reset(); }

void ReloadRegistry() {
  RereadFileTypes();
  Registry().testKeys.clear();
}

void AddTestRegistryKey(const std::string& key) {
  std::string folded;
  FoldKeyName(key, folded);
  // The keys above it exist too, as they would in the registry.
  for (std::size_t at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1)) {
    Registry().testKeys.try_emplace(folded.substr(0, at));
  }
  Registry().testKeys.try_emplace(folded);
}

void SetTestRegistryValue(const std::string& key, const std::string& valueName, std::uint32_t type,
                          const std::string& data) {
  AddTestRegistryKey(key);
  std::string folded;
  FoldKeyName(key, folded);
  std::vector<TestValue>& values = Registry().testKeys.find(folded)->second;
  std::string name;
  FoldKeyName(valueName, name);
  for (TestValue& value : values) {
    if (value.foldedName == name) {
      value.type = type;
      value.data = data;
      return;
    }
  }
  values.push_back(TestValue{name, type, data});
}

}  // namespace platform

long RegOpenKeyExA(HKEY key, const std::string& subKey, std::uint32_t options, std::uint32_t access, HKEY* result) {
  if (result != nullptr) *result = nullptr;
  if (key == nullptr || result == nullptr) return ERROR_INVALID_HANDLE;
  std::string path = platform::JoinPath(*key, subKey);
  if (!platform::RegKeyExists(HKEY_CLASSES_ROOT, path)) return ERROR_FILE_NOT_FOUND;
  *result = new RegistryKey{std::move(path)};
  return ERROR_SUCCESS;
}

long RegQueryValueExA(HKEY key, const std::string& valueName, std::uint32_t* type, std::string* data) {
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  std::string folded;
  platform::FoldKeyName(key->path, folded);
  if (folded.empty()) return ERROR_FILE_NOT_FOUND;  // the root has no values
  platform::State& state = platform::Registry();
  if (const auto test = state.testKeys.find(folded); test != state.testKeys.end()) {
    std::string name;
    platform::FoldKeyName(valueName, name);
    for (const platform::TestValue& value : test->second) {
      if (value.foldedName != name) continue;
      if (type != nullptr) *type = value.type;
      if (data != nullptr) *data = value.data;
      return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
  }
  // The database's keys hold their default value only.
  std::string text;
  if (!valueName.empty() || !platform::DatabaseKey(folded, &text)) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = REG_SZ;
  if (data != nullptr) *data = std::move(text);
  return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key) {
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  if (key != HKEY_CLASSES_ROOT) delete key;
  return ERROR_SUCCESS;
}
