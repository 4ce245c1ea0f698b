#include "platform/files/FolderAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/drives/DriveMap.h"

namespace platform {

std::optional<FolderIdentity> EnterableFolder(const std::string& drivePath) {
  const auto resolved = ResolveDrivePath(drivePath);
  if (!resolved || !resolved->exists) return std::nullopt;
  struct stat st {};
  if (::stat(resolved->host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  // Entering a folder takes the right to search it, as the process's
  // effective user holds it.
  if (::faccessat(AT_FDCWD, resolved->host.c_str(), X_OK, AT_EACCESS) != 0) return std::nullopt;
  return FolderIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace platform
