#include "platform/operations/TreeRemover.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

namespace {

int RemoveEntry(int folder, const char* name) {
  struct statx st {};
  if (::statx(folder, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE, &st) != 0) return errno;
  if (!S_ISDIR(st.stx_mode)) return ::unlinkat(folder, name, 0) == 0 ? 0 : errno;
  // Removing a mount point always fails in the end; emptying the file system
  // mounted there first would be a loss, not a step towards it.
  if ((st.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (st.stx_attributes & STATX_ATTR_MOUNT_ROOT)) return EBUSY;
  const int fd = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return errno;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  // Read the whole folder before removing from it, so the listing never
  // skips an entry behind a removal.
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.emplace_back(entry->d_name);
    errno = 0;
  }
  int error = errno;
  for (const std::string& child : names) {
    if (error) break;
    error = RemoveEntry(::dirfd(dir), child.c_str());
  }
  ::closedir(dir);
  if (error) return error;
  return ::unlinkat(folder, name, AT_REMOVEDIR) == 0 ? 0 : errno;
}

}  // namespace

int RemoveTree(int folder, const std::string& name) { return RemoveEntry(folder, name.c_str()); }

}  // namespace platform
