#include "platform/operations/TreeCopier.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/operations/TreeRemover.h"
#include "platform/system/UniqueFd.h"

namespace platform {

namespace {

constexpr std::size_t kChunk = TreeCopier::kLargestSmallFile;
constexpr const char* kDosAttributes = "user.DOSATTRIB";

bool Unsupported(int error) { return error == ENOTSUP || error == EOPNOTSUPP; }

// How an unnamed file gets its name: by its descriptor (needs the right to
// search any folder, or a kernel that lets the opener do it), else through
// its /proc link, else not at all (copies then go under a temporary name).
enum LinkWay { kByDescriptor, kByProcLink, kNoWay };
std::atomic<int> linkWay{kByDescriptor};
std::atomic<bool> unnamedAllowed{true};
std::atomic<long long> largestSmallFile{TreeCopier::kLargestSmallFile};
std::atomic<void (*)(int, const char*)> beforeNaming{nullptr};

// Reads until `size` bytes or the end: the count, or -1.
ssize_t ReadFull(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

bool WriteFull(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool SameTimes(const struct stat& a, const struct stat& b) {
  return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// A new file is made with its source's permission bits, never its set-id or
// sticky bits (those only once the owner is right): where the umask and the
// folder's default ACL leave them as they are, no chmod is needed after.
mode_t MadeMode(const struct stat& source) { return source.st_mode & 0777; }

// The permission bits a file just made got, read back; none known (so
// CopyAttributes sets them) when they cannot be read.
constexpr mode_t kUnknownMode = static_cast<mode_t>(-1);
mode_t ModeOf(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 ? (st.st_mode & 07777) : kUnknownMode;
}

}  // namespace

char* TreeCopier::Buffer() {
  if (buffer_.empty()) buffer_.resize(2 * kChunk);
  return buffer_.data();
}

int TreeCopier::Copy(int from, const std::string& name, int to, const std::string& newName) {
  top_ = true;
  newDev_ = 0;
  newIno_ = 0;
  const int error = CopyEntry(from, name.c_str(), DT_UNKNOWN, to, newName.c_str());
  // top_ turns false once the new entry exists; before that the name may be
  // someone else's.
  if (error && !top_) RemoveTree(to, newName);
  return error;
}

int TreeCopier::CopyEntry(int from, const char* name, unsigned char type, int to, const char* newName) {
  struct stat st {};
  UniqueFd source;
  // The listing's type saves a stat for plain files and folders; O_NOFOLLOW
  // keeps a link that appeared in between from being followed.
  if (type == DT_REG || type == DT_DIR) {
    const int flags = type == DT_DIR ? O_DIRECTORY : O_NONBLOCK | O_NOCTTY;
    source.Reset(::openat(from, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | flags));
    if (!source.Valid() && errno != ELOOP && errno != ENOTDIR) return errno;
    if (source.Valid() && ::fstat(source.Get(), &st) != 0) return errno;
  }
  if (!source.Valid()) {
    if (::fstatat(from, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return errno;
    if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)) {
      const int flags = S_ISDIR(st.st_mode) ? O_DIRECTORY : O_NONBLOCK | O_NOCTTY;
      source.Reset(::openat(from, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | flags));
      if (!source.Valid()) return errno;
      struct stat now {};
      if (::fstat(source.Get(), &now) != 0) return errno;
      if (now.st_ino != st.st_ino || now.st_dev != st.st_dev) return EAGAIN;
    }
  }
  if (!top_ && st.st_dev == newDev_ && st.st_ino == newIno_) return 0;
  if (S_ISREG(st.st_mode)) return CopyFile(source.Get(), st, to, newName);
  if (S_ISDIR(st.st_mode)) return CopyFolder(source.Release(), st, to, newName);
  if (S_ISLNK(st.st_mode)) {
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    for (;;) {
      const ssize_t n = ::readlinkat(from, name, target.data(), target.size());
      if (n < 0) return errno;
      if (static_cast<std::size_t>(n) < target.size()) {
        target.resize(static_cast<std::size_t>(n));
        break;
      }
      target.resize(target.size() * 2);
    }
    return ::symlinkat(target.c_str(), to, newName) == 0 ? 0 : errno;
  }
  // Fifos, sockets and devices are never opened (a fifo would block).
  return ::mknodat(to, newName, st.st_mode & (S_IFMT | 07777), st.st_rdev) == 0 ? 0 : errno;
}

int TreeCopier::CopyFile(int source, const struct stat& st, int to, const char* newName) {
  const int mode = options_.verify ? O_RDWR : O_WRONLY;
  UniqueFd target(::openat(to, newName, mode | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, MadeMode(st)));
  if (!target.Valid()) return errno;
  top_ = false;
  int error = Fill(source, st, target.Get(), ModeOf(target.Get()));
  if (::close(target.Release()) != 0 && !error) error = errno;
  if (error) ::unlinkat(to, newName, 0);
  return error;
}

int TreeCopier::OpenFile(int from, const std::string& name, bool* regular) {
  *regular = false;
  file_.Reset();
  // O_NOFOLLOW: a link that took the name meanwhile is not followed; a fifo
  // opened without blocking is only looked at (it goes the named way).
  UniqueFd source(::openat(from, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!source.Valid()) return errno == ELOOP ? 0 : errno;
  if (::fstat(source.Get(), &fileStatus_) != 0) return errno;
  if (!S_ISREG(fileStatus_.st_mode)) return 0;
  file_ = std::move(source);
  *regular = true;
  return 0;
}

bool TreeCopier::OpenFileIsSmall() const {
  const long long largest = largestSmallFile.load(std::memory_order_relaxed);
  return file_.Valid() && largest >= 0 && fileStatus_.st_size <= largest;
}

// Copies a file's data into `target`, checks it where asked, and gives it
// the file's attributes; `made` is the mode `target` was made with.
int TreeCopier::Fill(int source, const struct stat& st, int target, mode_t made) {
  int error = CopyData(source, target, st);
  if (!error && options_.verify) {
    struct stat after {};
    if (::fstat(source, &after) != 0) error = errno;
    if (!error && !SameTimes(st, after)) error = EAGAIN;
    if (!error) error = Compare(source, target);
  }
  if (!error) error = CopyAttributes(source, target, st, made);
  return error;
}

int TreeCopier::CopyOpenFileAs(int to, const std::string& newName) {
  if (!file_.Valid()) return EBADF;
  if (const auto hook = beforeNaming.load()) hook(to, newName.c_str());
  const int mode = options_.verify ? O_RDWR : O_WRONLY;
  // O_EXCL never replaces, nor follows a link standing at the name.
  UniqueFd target(
      ::openat(to, newName.c_str(), mode | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, MadeMode(fileStatus_)));
  if (!target.Valid()) return errno;
  struct stat made {};
  if (::fstat(target.Get(), &made) != 0) {
    const int error = errno;
    target.Reset();
    ::unlinkat(to, newName.c_str(), 0);
    return error;
  }
  int error = Fill(file_.Get(), fileStatus_, target.Get(), made.st_mode & 07777);
  if (::close(target.Release()) != 0 && !error) error = errno;
  // Only the file made here goes: the name may be another's by now.
  struct stat there {};
  if (error && ::fstatat(to, newName.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 && there.st_dev == made.st_dev &&
      there.st_ino == made.st_ino)
    ::unlinkat(to, newName.c_str(), 0);
  return error;
}

int TreeCopier::CopyOpenFileUnnamed(int to, UniqueFd* file) {
  file->Reset();
  if (!file_.Valid() || !unnamedAllowed.load(std::memory_order_relaxed) ||
      linkWay.load(std::memory_order_relaxed) == kNoWay)
    return 0;
  const int mode = options_.verify ? O_RDWR : O_WRONLY;
  UniqueFd target(::openat(to, ".", O_TMPFILE | mode | O_CLOEXEC, MadeMode(fileStatus_)));
  if (!target.Valid()) {
    // No unnamed files on this file system (EISDIR: a kernel without them).
    if (errno == EOPNOTSUPP || errno == ENOTSUP || errno == EISDIR || errno == EINVAL) return 0;
    return errno;
  }
  // Attributes go on before the name, so the file is never seen without them.
  const int error = Fill(file_.Get(), fileStatus_, target.Get(), ModeOf(target.Get()));
  // Closing an unnamed file frees it: nothing remains of a failed copy.
  if (!error) *file = std::move(target);
  return error;
}

int TreeCopier::Link(int file, int to, const std::string& newName) {
  if (const auto hook = beforeNaming.load()) hook(to, newName.c_str());
  // linkat never replaces an entry that is there.
  if (linkWay.load(std::memory_order_relaxed) == kByDescriptor) {
    if (::linkat(file, "", to, newName.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT) return errno;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(file);
  if (::linkat(AT_FDCWD, self.c_str(), to, newName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    linkWay.store(kByProcLink, std::memory_order_relaxed);
    return 0;
  }
  const int error = errno;
  if (error != ENOENT) return error;
  // Either the folder went away, or neither way works here.
  if (::access("/proc/self/fd", F_OK) == 0) return ENOENT;
  linkWay.store(kNoWay, std::memory_order_relaxed);
  return EOPNOTSUPP;
}

void TreeCopier::AllowUnnamedFiles(bool allow) { unnamedAllowed.store(allow); }

void TreeCopier::SetLargestSmallFile(long long bytes) { largestSmallFile.store(bytes); }

void TreeCopier::SetBeforeNaming(void (*hook)(int folder, const char* name)) { beforeNaming.store(hook); }

int TreeCopier::CopyFolder(int source, const struct stat& st, int to, const char* newName) {
  DIR* dir = ::fdopendir(source);
  if (!dir) {
    const int error = errno;
    ::close(source);
    return error;
  }
  // Created private and given the source's mode last, so a read-only
  // folder can still be filled.
  if (::mkdirat(to, newName, 0700) != 0) {
    const int error = errno;
    ::closedir(dir);
    return error;
  }
  const bool first = top_;
  top_ = false;
  UniqueFd target(::openat(to, newName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  int error = target.Valid() ? 0 : errno;
  if (!error && first) {
    struct stat made {};
    if (::fstat(target.Get(), &made) != 0) error = errno;
    newDev_ = made.st_dev;
    newIno_ = made.st_ino;
  }
  while (!error) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (!entry) {
      error = errno;
      break;
    }
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    error = CopyEntry(::dirfd(dir), entry->d_name, entry->d_type, target.Get(), entry->d_name);
  }
  if (!error) error = CopyAttributes(::dirfd(dir), target.Get(), st, kUnknownMode);
  ::closedir(dir);
  return error;
}

int TreeCopier::CopyData(int source, int target, const struct stat& st) {
  off_t copied = 0;
  bool kernel = true;
  for (;;) {
    if (kernel) {
      // The size is known: a file that reaches it is done without another
      // call to find its end (one that grew meanwhile is copied as it was).
      if (st.st_size > 0 && copied >= st.st_size) return 0;
      const ssize_t n = ::copy_file_range(source, nullptr, target, nullptr, std::size_t(1) << 30, 0);
      if (n < 0 && errno == EINTR) continue;
      // Not every pair of file systems takes it; before the first byte the
      // plain loop can still take over.
      if ((n < 0 && copied == 0 &&
           (errno == EXDEV || errno == EINVAL || errno == ENOSYS || Unsupported(errno) || errno == EPERM ||
            errno == ETXTBSY)) ||
          (n == 0 && copied == 0 && st.st_size > 0)) {
        kernel = false;
        continue;
      }
      if (n < 0) return errno;
      if (n == 0) return 0;
      copied += n;
      continue;
    }
    if (st.st_size > 0 && copied >= st.st_size) return 0;
    char* buffer = Buffer();
    // Up to the known end, so a small file takes one read.
    std::size_t want = kChunk;
    if (st.st_size > copied && static_cast<std::size_t>(st.st_size - copied) < want)
      want = static_cast<std::size_t>(st.st_size - copied);
    const ssize_t n = ReadFull(source, buffer, want);
    if (n < 0) return errno;
    if (n == 0) return 0;
    if (!WriteFull(target, buffer, static_cast<std::size_t>(n))) return errno;
    copied += n;
  }
}

int TreeCopier::Compare(int source, int target) {
  if (::lseek(source, 0, SEEK_SET) != 0 || ::lseek(target, 0, SEEK_SET) != 0) return errno;
  char* a = Buffer();
  char* b = a + kChunk;
  for (;;) {
    const ssize_t na = ReadFull(source, a, kChunk);
    const ssize_t nb = ReadFull(target, b, kChunk);
    if (na < 0 || nb < 0) return errno;
    if (na != nb || std::memcmp(a, b, static_cast<std::size_t>(na)) != 0) return EIO;
    if (na == 0) return 0;
  }
}

int TreeCopier::CopyAttributes(int source, int target, const struct stat& st, mode_t made) {
  char value[512];
  ssize_t n = ::fgetxattr(source, kDosAttributes, value, sizeof value);
  std::vector<char> large;
  if (n < 0 && errno == ERANGE) {
    const ssize_t size = ::fgetxattr(source, kDosAttributes, nullptr, 0);
    if (size > 0) {
      large.resize(static_cast<std::size_t>(size));
      n = ::fgetxattr(source, kDosAttributes, large.data(), large.size());
    }
  }
  if (n >= 0 &&
      ::fsetxattr(target, kDosAttributes, large.empty() ? value : large.data(), static_cast<std::size_t>(n), 0) != 0) {
    // A file system without extended attributes keeps the file without them.
    if (!Unsupported(errno)) return errno;
  }
  const bool ownerKept = options_.keepOwner && ::fchown(target, st.st_uid, st.st_gid) == 0;
  mode_t mode = st.st_mode & 07777;
  // Set-id bits only for the source's owner.
  if ((mode & (S_ISUID | S_ISGID)) && !ownerKept && ::geteuid() != st.st_uid) mode &= ~(S_ISUID | S_ISGID);
  // A new owner may have cleared bits; otherwise the bits it was made with
  // may already be the ones wanted.
  if ((ownerKept || made != mode) && ::fchmod(target, mode) != 0 && errno != EPERM && !Unsupported(errno)) return errno;
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  if (::futimens(target, times) != 0 && errno != EPERM && !Unsupported(errno)) return errno;
  return 0;
}

}  // namespace platform
