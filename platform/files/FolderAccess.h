#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

/// Which folder a path reaches, whatever links led there: two paths that
/// reach the same folder give the same identity.
struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

/// The identity of the folder a drive path names (relative ones against the
/// current folder) when SetCurrentDirectoryA would succeed for it: the folder
/// exists and may be entered. Nothing otherwise. The current folder is left
/// as it is.
std::optional<FolderIdentity> EnterableFolder(const std::string& drivePath);

}  // namespace platform
