#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system/WinError.h"

/// An open key of the registry.
struct RegistryKey;
using HKEY = RegistryKey*;

/// The root of the file types, read only. Below it, on this system, the
/// shared MIME-info database and the icon theme: a key for each extension
/// (".txt") whose default value names the file type ("text/plain"); a key for
/// each file type whose default value is its description; and below a type's
/// key the key "DefaultIcon" whose default value is the type's icon file (a
/// drive path), a comma and 0. Key and value names are case-blind. Used
/// from one thread, the window thread.
extern const HKEY HKEY_CLASSES_ROOT;

/// Value types.
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;

/// Access rights asked for when a key is opened. Every key opens for reading
/// only; nothing in this registry can be written.
constexpr std::uint32_t KEY_READ = 0x20019;

/// Opens the key `subKey` below `key` (the empty name opens `key` itself
/// again). ERROR_SUCCESS and the new key in `result`, ERROR_FILE_NOT_FOUND
/// when there is no such key, ERROR_INVALID_HANDLE for a null key.
long RegOpenKeyExA(HKEY key, const std::string& subKey, std::uint32_t options, std::uint32_t access, HKEY* result);
/// Reads a value of an open key; the empty name is the key's default value.
/// ERROR_SUCCESS with its type and data (text without a terminating zero;
/// either pointer may be null), ERROR_FILE_NOT_FOUND when the key has no
/// such value or no longer exists, ERROR_INVALID_HANDLE for a null key.
long RegQueryValueExA(HKEY key, const std::string& valueName, std::uint32_t* type, std::string* data);
/// Closes a key that RegOpenKeyExA opened (closing the root does nothing).
long RegCloseKey(HKEY key);

namespace platform {

/// Whether the key `subKey` exists below `key`. Cheap: no allocation for the
/// short names of extension probes.
bool RegKeyExists(HKEY key, std::string_view subKey);

/// Forgets what was read of the MIME database and the icon theme, so the
/// next call reads the file types installed now, from the environment in
/// force (XDG_DATA_HOME, XDG_DATA_DIRS, the icon theme setting, the
/// language). Test keys stay; keys that are open stay valid.
void RereadFileTypes();

/// RereadFileTypes, and every test key removed.
void ReloadRegistry();

/// Adds an empty key (and the keys above it) that hides a database key of
/// the same name, for tests that need what the database never gives (a key
/// without a default value). ReloadRegistry removes it.
void AddTestRegistryKey(const std::string& key);
/// Sets a value of a test key, adding the key when needed (a value of a type
/// other than text, a default icon of one's own).
void SetTestRegistryValue(const std::string& key, const std::string& valueName, std::uint32_t type,
                          const std::string& data);

/// The form in which registry names are compared: lower case (ASCII, and
/// each character of valid UTF-8 by its simple lower-case mapping); bytes
/// that are not UTF-8 stay as they are. Appends to `folded` after clearing it.
void FoldKeyName(std::string_view name, std::string& folded);

}  // namespace platform
