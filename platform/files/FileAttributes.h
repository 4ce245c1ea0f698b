#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/files/FileTime.h"

struct statx;

constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr std::uint32_t FILE_ATTRIBUTE_VOLUME = 0x08;
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
/// Every attribute: a filter that keeps every entry.
constexpr std::uint32_t FILE_ATTRIBUTE_ANY = 0x3F;
/// Asked of SetFileAttributesA: none of the bits.
constexpr std::uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr std::uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

/// The attribute bits of a file or folder: read-only when its owner may not
/// write it; hidden, system and archive as kept in its extended attribute
/// "user.DOSATTRIB" (text "0x" and hex digits), archive alone for a file
/// without one and nothing for a folder without one; hidden also when its
/// name starts with a dot; 0x10 for a folder. INVALID_FILE_ATTRIBUTES when it
/// does not exist. A symbolic link gives its target's attributes.
std::uint32_t GetFileAttributesA(const std::string& drivePath);
/// Sets the read-only (the owner's write permission), hidden, system and
/// archive bits; other bits are ignored. Bits that change the extended
/// attribute fail (false, ERROR_NOT_SUPPORTED) where the file system keeps
/// none, and then nothing is changed. A name starting with a dot is always
/// hidden: clearing hidden on it fails (ERROR_ACCESS_DENIED).
bool SetFileAttributesA(const std::string& drivePath, std::uint32_t attributes);

namespace platform {

/// The status of a file or folder.
struct FileStatus {
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  ///< bytes; 0 for a folder
  FILETIME creationTime;   ///< birth time where the file system keeps one, else the modification time
  FILETIME lastAccessTime;
  FILETIME lastWriteTime;
  /// Which file it is: the same two numbers for every path that leads to it
  /// (through links included), different ones for every other file.
  std::uint64_t device = 0;
  std::uint64_t fileId = 0;
};

/// The status of a file or folder (a symbolic link's target); nothing when it
/// does not exist.
std::optional<FileStatus> GetFileStatus(const std::string& drivePath);

/// The bits kept in the extended attribute of `hostPath` (hidden, system,
/// archive), or nothing when it has none.
std::optional<std::uint32_t> StoredAttributes(const char* hostPath);
/// The same for the entry `name` of the open folder `folder` (a link's
/// target), which a listing asks without walking the folder's path again;
/// `hostPath` is the entry's whole path, asked where the kernel cannot.
std::optional<std::uint32_t> StoredAttributesAt(int folder, const char* name, const char* hostPath);
/// For tests: false makes StoredAttributesAt ask by path, as it does on a
/// kernel that cannot ask through the folder.
void AskAttributesThroughFolders(bool ask);
/// The attribute bits of an entry from its name, whether it is a folder,
/// whether its owner may write it, and its stored bits.
std::uint32_t AttributesOf(const char* name, bool isFolder, bool ownerWritable, std::optional<std::uint32_t> stored);
/// The status of the entry `name` from what statx read of it (the basic
/// status and the birth time) and its stored bits.
FileStatus StatusOf(const char* name, const struct statx& st, std::optional<std::uint32_t> stored);

}  // namespace platform
