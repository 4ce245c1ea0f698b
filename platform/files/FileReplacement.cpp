#include "platform/files/FileReplacement.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/drives/DriveMap.h"

namespace platform {

namespace {

constexpr const char* kTempInfix = ".new-";
constexpr std::size_t kTempLetters = 6;  // what mkstemp puts in place of XXXXXX

std::function<bool()>& Interruption() {
  static std::function<bool()> proceed;
  return proceed;
}

bool MayProceed() { return !Interruption() || Interruption()(); }

// The file a host path names, through any symbolic links, so that a link is
// written through to its target; nothing for a loop of links.
std::optional<std::string> FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer);
    if (n < 0) {
      // Not a link, or nothing there yet: the path itself.
      if (errno == EINVAL || errno == ENOENT) return path;
      return std::nullopt;
    }
    std::string target(buffer, static_cast<std::size_t>(n));
    if (target.empty()) return std::nullopt;
    if (target[0] != '/') {
      const std::size_t slash = path.rfind('/');
      target = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
    }
    path = std::move(target);
  }
  return std::nullopt;
}

// What is known of the file to replace before anything is written.
struct Target {
  std::string path;  // host path, links followed
  bool exists = false;
  mode_t mode = 0644;
};

// The file a drive path names, when it may be replaced: a regular file its
// owner may write and the user may write, or none yet.
std::optional<Target> WritableTarget(const std::string& drivePath) {
  const auto host = HostPath(drivePath);
  if (!host) return std::nullopt;
  auto path = FollowLinks(*host);
  if (!path) return std::nullopt;
  Target target{std::move(*path)};
  struct stat st {};
  if (::stat(target.path.c_str(), &st) != 0) return errno == ENOENT ? std::optional<Target>(target) : std::nullopt;
  if (!S_ISREG(st.st_mode)) return std::nullopt;
  // A file its owner may not write stays as it is, as it would on a disk
  // that honours the read-only attribute; root would otherwise replace it.
  if ((st.st_mode & S_IWUSR) == 0 || ::access(target.path.c_str(), W_OK) != 0) return std::nullopt;
  target.exists = true;
  target.mode = st.st_mode & 07777;
  return target;
}

bool IsTempName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kTempLetters || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// Removes the new files that writers killed before they finished left beside
// the target. A writer holds a lock on its new file until it is renamed, so a
// file that can be locked has no writer any more.
void RemoveStaleTemps(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const std::string prefix = target.substr(slash == std::string::npos ? 0 : slash + 1) + kTempInfix;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTempName(name, prefix)) continue;
    const UniqueFd fd(::openat(::dirfd(dir), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!fd.Valid() || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (!MayProceed()) break;
    ::unlinkat(::dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

// Writes all of `size` bytes at the descriptor's position.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Rewrites a file in place, for a file the user may write in a folder he may
// not: the new text over the old from its start, then the rest cut off.
bool RewriteInPlace(const Target& target, const std::string& contents) {
  if (!MayProceed()) return false;
  const UniqueFd fd(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd.Valid()) return false;
  if (!WriteAll(fd.Get(), contents.data(), contents.size())) return false;
  if (!MayProceed() || ::ftruncate(fd.Get(), static_cast<off_t>(contents.size())) != 0) return false;
  return MayProceed() && ::fsync(fd.Get()) == 0;
}

}  // namespace

void FileReplacement::SetInterruption(std::function<bool()> proceed) { Interruption() = std::move(proceed); }

FileReplacement::FileReplacement(std::string target, std::string temp, UniqueFd fd)
    : target_(std::move(target)), temp_(std::move(temp)), fd_(std::move(fd)) {}

std::unique_ptr<FileReplacement> FileReplacement::Begin(const std::string& drivePath, int* error) {
  if (error != nullptr) *error = 0;
  const std::optional<Target> target = WritableTarget(drivePath);
  if (!target) return nullptr;
  RemoveStaleTemps(target->path);
  if (!MayProceed()) return nullptr;
  std::string temp = target->path + kTempInfix + std::string(kTempLetters, 'X');
  UniqueFd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.Valid()) {
    if (error != nullptr) *error = errno;
    return nullptr;
  }
  // Locked until it is renamed or removed: see RemoveStaleTemps.
  ::flock(fd.Get(), LOCK_EX | LOCK_NB);
  ::fchmod(fd.Get(), target->mode);
  return std::unique_ptr<FileReplacement>(new FileReplacement(target->path, std::move(temp), std::move(fd)));
}

FileReplacement::~FileReplacement() {
  if (!done_ && Proceed()) ::unlink(temp_.c_str());
}

bool FileReplacement::Proceed() {
  if (!stopped_ && !MayProceed()) stopped_ = true;
  return !stopped_;
}

bool FileReplacement::Write(const std::string& text) {
  if (failed_ || !Proceed() || !WriteAll(fd_.Get(), text.data(), text.size())) failed_ = true;
  return !failed_;
}

bool FileReplacement::Commit() {
  if (failed_ || done_) return false;
  // Renamed while still open, so the lock holds until the name is the
  // target's.
  if (!Proceed() || ::fsync(fd_.Get()) != 0 || !Proceed() || ::rename(temp_.c_str(), target_.c_str()) != 0) {
    failed_ = true;
    return false;
  }
  done_ = true;
  fd_.Reset();
  return true;
}

bool ReplaceFileContents(const std::string& drivePath, const std::string& contents) {
  int error = 0;
  if (auto replacement = FileReplacement::Begin(drivePath, &error)) {
    return replacement->Write(contents) && replacement->Commit();
  }
  // No new file may be made beside it: where the file itself may be written,
  // it is rewritten where it stands.
  if (error != EACCES && error != EPERM) return false;
  const std::optional<Target> target = WritableTarget(drivePath);
  return target && target->exists && RewriteInPlace(*target, contents);
}

}  // namespace platform
