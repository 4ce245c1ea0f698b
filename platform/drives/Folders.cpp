#include "platform/drives/Folders.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>

#include "platform/drives/DriveMap.h"
#include "platform/system/LastError.h"

namespace {

std::string& Current() {
  static std::string current;
  return current;
}

std::string JoinDrivePath(const platform::ResolvedPath& path) {
  std::string out(1, path.letter);
  out += ":";
  for (const std::string& name : path.names) out += "\\" + name;
  if (path.names.empty()) out += "\\";
  return out;
}

bool Fail(int error) {
  platform::SetLastErrorFromErrno(error);
  return false;
}

bool Succeed() {
  SetLastError(ERROR_SUCCESS);
  return true;
}

// The item a drive path names, for calls that act on an item inside a drive:
// a drive's root folder is no such item and fails with `rootError`.
std::optional<platform::ResolvedPath> ResolveItem(const std::string& drivePath, std::uint32_t rootError) {
  auto resolved = platform::ResolveDrivePath(drivePath);
  if (!resolved || resolved->names.empty()) {
    SetLastError(resolved ? rootError : ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  return resolved;
}

}  // namespace

namespace platform {
void ForgetCurrentFolder() { Current().clear(); }
}  // namespace platform

std::string GetCurrentDirectoryA() {
  if (Current().empty()) {
    char buffer[PATH_MAX];
    std::optional<std::string> drivePath;
    if (::getcwd(buffer, sizeof buffer)) drivePath = platform::DrivePath(buffer);
    if (!drivePath) {
      const auto map = platform::CurrentDriveMap();
      const bool hasC = platform::FindDrive('C').has_value();
      drivePath = std::string(1, hasC || map.empty() ? 'C' : map.front().letter) + ":\\";
    }
    Current() = *drivePath;
  }
  return Current();
}

bool SetCurrentDirectoryA(const std::string& drivePath) {
  const auto resolved = platform::ResolveDrivePath(drivePath);
  if (!resolved) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (!resolved->exists) return Fail(ENOENT);
  if (::chdir(resolved->host.c_str()) != 0) return Fail(errno);
  Current() = JoinDrivePath(*resolved);
  return Succeed();
}

bool CreateDirectoryA(const std::string& drivePath) {
  const auto resolved = ResolveItem(drivePath, ERROR_ALREADY_EXISTS);
  if (!resolved) return false;
  if (::mkdir(resolved->host.c_str(), 0777) != 0) return Fail(errno == ENOENT ? ENOTDIR : errno);
  return Succeed();
}

bool RemoveDirectoryA(const std::string& drivePath) {
  const auto resolved = ResolveItem(drivePath, ERROR_ACCESS_DENIED);
  if (!resolved) return false;
  struct stat st {};
  // A symbolic link to a folder is no folder of its own: rmdir would fail on
  // it anyway, and the link must not be mistaken for its target.
  if (::lstat(resolved->host.c_str(), &st) != 0) return Fail(errno);
  if (!S_ISDIR(st.st_mode)) return Fail(ENOTDIR);
  if (::rmdir(resolved->host.c_str()) != 0) return Fail(errno);
  return Succeed();
}

bool DeleteFileA(const std::string& drivePath) {
  const auto resolved = ResolveItem(drivePath, ERROR_ACCESS_DENIED);
  if (!resolved) return false;
  struct stat st {};
  if (::lstat(resolved->host.c_str(), &st) != 0) return Fail(errno);
  if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
  // A read-only file is not deleted, as on a disk that honours the
  // attribute; the host alone would let its owner remove it.
  if (!S_ISLNK(st.st_mode) && (st.st_mode & S_IWUSR) == 0) return Fail(EACCES);
  if (::unlink(resolved->host.c_str()) != 0) return Fail(errno);
  return Succeed();
}
