#include "ItemPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "DriveMap.h"

namespace platform {

namespace {

struct Parts {
  std::string drive;  // "C:"
  std::vector<std::string> names;
};

// Takes a drive path apart; nothing for anything but a full drive path with
// plain names. A clipboard name such as "../x" or "a/b" joined to a folder
// ends here.
std::optional<Parts> Split(const std::string& drivePath) {
  if (drivePath.size() < 2 || drivePath[1] != ':') return std::nullopt;
  const unsigned char letter = static_cast<unsigned char>(drivePath[0]);
  if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return std::nullopt;
  Parts parts{drivePath.substr(0, 2), {}};
  std::string rest = drivePath.substr(2);
  if (rest.empty()) return parts;            // "C:"
  if (rest[0] != '\\') return std::nullopt;  // "C:Data" is relative
  rest.erase(0, 1);
  if (rest.empty()) return parts;  // "C:\"
  if (rest.back() == '\\') rest.pop_back();
  if (rest.empty()) return std::nullopt;  // "C:\\"
  std::string::size_type start = 0;
  while (start < rest.size()) {
    std::string::size_type end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    std::string name = rest.substr(start, end - start);
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
      return std::nullopt;
    parts.names.push_back(std::move(name));
    start = end + 1;
  }
  return parts;
}

std::string Join(const Parts& parts, std::size_t count) {
  std::string path = parts.drive;
  for (std::size_t i = 0; i < count; ++i) path += "\\" + parts.names[i];
  return path;
}

std::string RealPathOf(const std::string& host) {
  char buffer[PATH_MAX];
  return ::realpath(host.c_str(), buffer) ? std::string(buffer) : std::string();
}

// The path the kernel keeps for an open folder has no links in it, so it is
// what realpath would make of it, in one call instead of one per component.
// It is taken only when it still names that very folder (not one deleted,
// nor outside our root), else realpath decides.
std::string OpenedPath(int fd) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(self.c_str(), buffer, sizeof buffer);
  struct stat opened {
  }, named{};
  if (n > 0 && n < static_cast<ssize_t>(sizeof buffer) && buffer[0] == '/' && ::fstat(fd, &opened) == 0) {
    const std::string path(buffer, static_cast<std::size_t>(n));
    if (::lstat(path.c_str(), &named) == 0 && S_ISDIR(named.st_mode) && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino)
      return path;
  }
  return RealPathOf(self);
}

bool Inside(const std::string& path, const std::string& root) {
  if (root.empty()) return false;
  if (root == "/") return true;
  return path.compare(0, root.size(), root) == 0 && (path.size() == root.size() || path[root.size()] == '/');
}

std::string Basename(const std::string& host) {
  const auto slash = host.rfind('/');
  return slash == std::string::npos ? host : host.substr(slash + 1);
}

}  // namespace

bool ItemPath::NamesFolder(const std::string& drivePath) {
  return drivePath.size() == 2 || (!drivePath.empty() && drivePath.back() == '\\');
}

int ItemPath::Open(const std::string& folderDrivePath, ItemPath* out) {
  const auto host = HostPath(folderDrivePath + "\\");
  if (!host) return ENOENT;
  UniqueFd fd(::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) return errno;
  // The real path of what was opened, not of the name (which may change).
  std::string real = OpenedPath(fd.Get());
  if (real.empty()) real = RealPathOf(*host);
  bool inside = false;
  for (const DriveMapping& drive : CurrentDriveMap()) inside = inside || Inside(real, RealPathOf(drive.root));
  if (!inside) return EACCES;
  out->folder_ = std::move(fd);
  out->folderDrive_ = folderDrivePath;
  out->folderReal_ = real;
  return 0;
}

int ItemPath::ForItem(const std::string& drivePath, ItemPath* out) {
  const auto parts = Split(drivePath);
  if (!parts) return EINVAL;
  if (parts->names.empty()) {
    out->name_.clear();
    out->spelled_.clear();
    return Open(parts->drive, out);
  }
  const std::string folder = Join(*parts, parts->names.size() - 1);
  if (const int error = Open(folder, out)) return error;
  // The name as the drive map finds it, so a case-blind match names the
  // entry that exists.
  auto folderHost = HostPath(folder + "\\");
  const auto itemHost = HostPath(Join(*parts, parts->names.size()));
  std::string name = parts->names.back();
  if (folderHost && itemHost) {
    while (folderHost->size() > 1 && folderHost->back() == '/') folderHost->pop_back();
    const std::string prefix = *folderHost == "/" ? "/" : *folderHost + "/";
    const std::string found = itemHost->compare(0, prefix.size(), prefix) == 0 ? itemHost->substr(prefix.size()) : "";
    if (!found.empty() && found.find('/') == std::string::npos && found != "." && found != "..") name = found;
  }
  out->name_ = name;
  out->spelled_ = parts->names.back();
  return 0;
}

int ItemPath::InFolder(const std::string& folderDrivePath, const std::string& name, ItemPath* out) {
  const auto parts = Split(folderDrivePath);
  if (!parts || name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos)
    return EINVAL;
  if (const int error = Open(Join(*parts, parts->names.size()), out)) return error;
  out->name_ = name;
  out->spelled_ = name;
  return 0;
}

bool ItemPath::TakenIgnoringCase(const std::string& name) const {
  const auto host = HostPath(folderDrive_ + "\\" + name);
  return host && Basename(*host) != name;
}

bool ItemPath::IsDriveRoot() const {
  if (name_.empty()) return true;
  struct stat st {};
  if (::fstatat(Folder(), name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) return false;
  const std::string real = RealPathOf(RealPath());
  for (const DriveMapping& drive : CurrentDriveMap())
    if (real == RealPathOf(drive.root)) return true;
  return false;
}

}  // namespace platform
