#include "platform/operations/ItemPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ExactNames.h"
#include "platform/drives/FolderNameCache.h"
#include "platform/operations/KeepFoldersOpen.h"

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

// The host path of the first `count` components spelled as given, with no
// case-blind matching; empty for an unmapped drive.
std::string SpelledHost(const Parts& parts, std::size_t count) {
  const auto drive = FindDrive(parts.drive[0]);
  if (!drive) return std::string();
  std::string host = drive->root;
  for (std::size_t i = 0; i < count; ++i) host = JoinHost(host, parts.names[i]);
  return host;
}

std::string RealPathOf(const std::string& host) {
  char buffer[PATH_MAX];
  return ::realpath(host.c_str(), buffer) ? std::string(buffer) : std::string();
}

// The path the kernel keeps for an open folder has no links in it, so it is
// what realpath would make of it, in one call instead of one per component.
// It is taken only when it still names that very folder (not one deleted,
// nor outside our root), else realpath decides. `opened` gets the folder's
// status.
std::string OpenedPath(int fd, struct stat* opened) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  char buffer[PATH_MAX];
  if (::fstat(fd, opened) != 0) return std::string();
  const ssize_t n = ::readlink(self.c_str(), buffer, sizeof buffer);
  struct stat named {};
  if (n > 0 && n < static_cast<ssize_t>(sizeof buffer) && buffer[0] == '/') {
    const std::string path(buffer, static_cast<std::size_t>(n));
    if (::lstat(path.c_str(), &named) == 0 && S_ISDIR(named.st_mode) && named.st_dev == opened->st_dev &&
        named.st_ino == opened->st_ino)
      return path;
  }
  return RealPathOf(self);
}

// Opens a folder by its host path, or takes the one kept open for it.
std::shared_ptr<const OpenFolder> OpenFolderAt(const std::string& host, int* error) {
  if (auto kept = KeptFolder(host)) return kept;
  UniqueFd fd(::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.Valid()) {
    *error = errno;
    return nullptr;
  }
  auto folder = std::make_shared<OpenFolder>();
  // The real path of what was opened, not of the name (which may change).
  struct stat st {};
  folder->real = OpenedPath(fd.Get(), &st);
  if (folder->real.empty()) folder->real = RealPathOf(host);
  folder->dev = st.st_dev;
  folder->ino = st.st_ino;
  folder->fd = std::move(fd);
  return folder;
}

bool Inside(const std::string& path, const std::string& root) {
  if (root.empty()) return false;
  if (root == "/") return true;
  return path.compare(0, root.size(), root) == 0 && (path.size() == root.size() || path[root.size()] == '/');
}

}  // namespace

ItemPath::Roots::Roots() {
  for (const DriveMapping& drive : CurrentDriveMap()) roots_.push_back(drive.root);
  real_.resize(roots_.size());
}

const std::string& ItemPath::Roots::Real(std::size_t index) const {
  if (!real_[index]) real_[index] = RealPathOf(roots_[index]);
  return *real_[index];
}

// A real path has no links in it, and so neither has any folder above it: a
// root that it lies in as spelled is its own real path, and need not be
// resolved to tell.
bool ItemPath::Roots::Hold(const std::string& realPath) const {
  for (std::size_t i = 0; i < roots_.size(); ++i)
    if (Inside(realPath, roots_[i])) return true;
  for (std::size_t i = 0; i < roots_.size(); ++i)
    if (Inside(realPath, Real(i))) return true;
  return false;
}

bool ItemPath::Roots::IsRoot(const std::string& realPath) const {
  for (std::size_t i = 0; i < roots_.size(); ++i)
    if (realPath == roots_[i]) return true;
  for (std::size_t i = 0; i < roots_.size(); ++i)
    if (realPath == Real(i)) return true;
  return false;
}

int ItemPath::Folder() const { return folder_ ? folder_->fd.Get() : -1; }

const std::string& ItemPath::FolderRealPath() const {
  static const std::string none;
  return folder_ ? folder_->real : none;
}

std::string ItemPath::RealPath() const {
  const std::string& folder = FolderRealPath();
  return folder == "/" ? "/" + Name() : folder + "/" + Name();
}

bool ItemPath::NamesFolder(const std::string& drivePath) {
  return drivePath.size() == 2 || (!drivePath.empty() && drivePath.back() == '\\');
}

int ItemPath::Open(const std::string& folderDrivePath, const std::string& spelledHost, ItemPath* out,
                   std::shared_ptr<const Roots> roots) {
  // When the folder opens as spelled, every component exists as spelled,
  // and the exact spelling is what the case-blind look-up would choose for
  // each: no component needs looking up on its own.
  std::optional<std::string> host;
  std::shared_ptr<const OpenFolder> folder;
  int error = ENOENT;
  if (!spelledHost.empty()) {
    folder = OpenFolderAt(spelledHost, &error);
    if (folder) host = spelledHost;
  }
  if (!folder) {
    // The folder is found ignoring case even where the item's own name
    // must be exact.
    const auto resolved = ResolveFolderPath(folderDrivePath + "\\");
    if (!resolved) return ENOENT;
    host = resolved->host;
    folder = OpenFolderAt(*host, &error);
    if (!folder) return error;
  }
  if (!roots) roots = std::make_shared<const Roots>();
  if (!roots->Hold(folder->real)) return EACCES;
  KeepFolder(*host, folder);
  while (host->size() > 1 && host->back() == '/') host->pop_back();
  out->folder_ = std::move(folder);
  out->folderHost_ = std::move(*host);
  out->roots_ = std::move(roots);
  return 0;
}

int ItemPath::ForItem(const std::string& drivePath, ItemPath* out, std::shared_ptr<const Roots> roots) {
  const auto parts = Split(drivePath);
  if (!parts) return EINVAL;
  if (parts->names.empty()) {
    out->name_ = std::string();
    out->mode_.reset();
    out->spelled_.clear();
    return Open(parts->drive, SpelledHost(*parts, 0), out, std::move(roots));
  }
  const std::size_t count = parts->names.size() - 1;
  if (const int error = Open(Join(*parts, count), SpelledHost(*parts, count), out, std::move(roots))) return error;
  // The existing entry's spelling is looked up when first asked for: a new
  // item never needs it.
  out->name_.reset();
  out->mode_.reset();
  out->spelled_ = parts->names.back();
  return 0;
}

int ItemPath::InFolder(const std::string& folderDrivePath, const std::string& name, ItemPath* out,
                       std::shared_ptr<const Roots> roots) {
  const auto parts = Split(folderDrivePath);
  if (!parts || name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
      name.find('\0') != std::string::npos)
    return EINVAL;
  const std::size_t count = parts->names.size();
  if (const int error = Open(Join(*parts, count), SpelledHost(*parts, count), out, std::move(roots))) return error;
  out->name_ = name;
  out->mode_.reset();
  out->spelled_ = name;
  return 0;
}

const std::string& ItemPath::Name() const {
  if (!name_) {
    // The name as the drive map finds it, so a case-blind match names the
    // entry that exists; the exact spelling wins, and is seen through the
    // opened folder without walking its path again.
    struct stat st {};
    std::optional<std::string> found;
    // The entry found as spelled is the one the operation then acts on:
    // what it is was seen here and need not be asked again.
    // Where the exact name is the item, a case twin is another item: the
    // name stays as spelled and the operation finds nothing.
    if (::fstatat(Folder(), spelled_.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
      mode_ = st.st_mode;
    else if (!ExactNames::InForce())
      found = LookUpName(folderHost_, spelled_);
    name_ = found && found->find('/') == std::string::npos ? *found : spelled_;
  }
  return *name_;
}

int ItemPath::Mode(mode_t* mode) const {
  const std::string& name = Name();
  if (!mode_) {
    struct stat st {};
    if (::fstatat(Folder(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    mode_ = st.st_mode;
  }
  *mode = *mode_;
  return 0;
}

bool ItemPath::TakenIgnoringCase(const std::string& name) const {
  if (name.empty() || name.find('/') != std::string::npos) return false;
  // The folder the new name goes into, not whatever its path names by now.
  const auto found = FindNameIgnoringCaseIn(Folder(), name);
  return found && *found != name;
}

bool ItemPath::IsDriveRoot() const {
  if (Name().empty()) return true;
  mode_t mode = 0;
  if (Mode(&mode) != 0 || !S_ISDIR(mode)) return false;
  return roots_->IsRoot(RealPathOf(RealPath()));
}

}  // namespace platform
