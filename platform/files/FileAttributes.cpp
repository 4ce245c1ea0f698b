#include "platform/files/FileAttributes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/drives/DriveMap.h"
#include "platform/system/LastError.h"

namespace {

constexpr const char* kAttributeName = "user.DOSATTRIB";
constexpr std::uint32_t kStoredBits = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

bool IsDotName(const char* name) {
  return name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
}

const char* BaseName(const std::string& hostPath) {
  const auto slash = hostPath.rfind('/');
  return hostPath.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

namespace platform {

namespace {

// getxattrat (Linux 6.13): an attribute of an entry of an open folder.
constexpr long kGetXattrAt = 464;
struct XattrArgs {
  std::uint64_t value;
  std::uint32_t size;
  std::uint32_t flags;
};
std::atomic<bool> xattrAtMissing{false};
std::atomic<bool> xattrAtAllowed{true};

// The bits in an attribute's text: other programs write either the bare
// text or a binary record that starts with the same text and a NUL; the hex
// digits up to the first other byte are the bits either way.
std::optional<std::uint32_t> ParseStored(const char* value, ssize_t n) {
  if (n < 2) return std::nullopt;
  if (value[0] != '0' || (value[1] != 'x' && value[1] != 'X')) return std::nullopt;
  std::uint32_t bits = 0;
  for (ssize_t i = 2; i < n && i < 10; ++i) {
    const char c = value[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) break;
    bits = bits * 16 + static_cast<std::uint32_t>(digit);
  }
  return bits & kStoredBits;
}

}  // namespace

std::optional<std::uint32_t> StoredAttributes(const char* hostPath) {
  char value[128];
  return ParseStored(value, ::getxattr(hostPath, kAttributeName, value, sizeof value - 1));
}

std::optional<std::uint32_t> StoredAttributesAt(int folder, const char* name, const char* hostPath) {
  if (xattrAtAllowed.load(std::memory_order_relaxed) && !xattrAtMissing.load(std::memory_order_relaxed)) {
    char value[128];
    XattrArgs args{reinterpret_cast<std::uintptr_t>(value), sizeof value - 1, 0};
    const long n = ::syscall(kGetXattrAt, folder, name, 0, kAttributeName, &args, sizeof args);
    // No attribute, or none on this file system: the answer. Anything else
    // (an older kernel, a sandbox that refuses the call) is asked by path.
    if (n >= 0 || errno == ENODATA || errno == ENOTSUP || errno == EOPNOTSUPP) return ParseStored(value, n);
    if (errno == ENOSYS || errno == EPERM) xattrAtMissing.store(true, std::memory_order_relaxed);
  }
  return StoredAttributes(hostPath);
}

void AskAttributesThroughFolders(bool ask) { xattrAtAllowed.store(ask); }

std::uint32_t AttributesOf(const char* name, bool isFolder, bool ownerWritable, std::optional<std::uint32_t> stored) {
  std::uint32_t bits = stored ? *stored : (isFolder ? 0 : FILE_ATTRIBUTE_ARCHIVE);
  if (isFolder) bits |= FILE_ATTRIBUTE_DIRECTORY;
  if (!ownerWritable) bits |= FILE_ATTRIBUTE_READONLY;
  if (IsDotName(name)) bits |= FILE_ATTRIBUTE_HIDDEN;
  return bits;
}

std::optional<FileStatus> GetFileStatus(const std::string& drivePath) {
  const auto host = HostPath(drivePath);
  if (!host) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return std::nullopt;
  }
  struct statx st {};
  if (::statx(AT_FDCWD, host->c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &st) != 0) {
    SetLastErrorFromErrno(errno);
    return std::nullopt;
  }
  return StatusOf(BaseName(*host), st, StoredAttributes(host->c_str()));
}

FileStatus StatusOf(const char* name, const struct statx& st, std::optional<std::uint32_t> stored) {
  const bool folder = S_ISDIR(st.stx_mode);
  FileStatus status;
  status.attributes = AttributesOf(name, folder, (st.stx_mode & S_IWUSR) != 0, stored);
  status.size = folder ? 0 : st.stx_size;
  status.lastAccessTime = FileTimeFromUnix(st.stx_atime.tv_sec, st.stx_atime.tv_nsec);
  status.lastWriteTime = FileTimeFromUnix(st.stx_mtime.tv_sec, st.stx_mtime.tv_nsec);
  status.creationTime =
      (st.stx_mask & STATX_BTIME) ? FileTimeFromUnix(st.stx_btime.tv_sec, st.stx_btime.tv_nsec) : status.lastWriteTime;
  status.device = (static_cast<std::uint64_t>(st.stx_dev_major) << 32) | st.stx_dev_minor;
  status.fileId = st.stx_ino;
  return status;
}

}  // namespace platform

std::uint32_t GetFileAttributesA(const std::string& drivePath) {
  const auto status = platform::GetFileStatus(drivePath);
  return status ? status->attributes : INVALID_FILE_ATTRIBUTES;
}

bool SetFileAttributesA(const std::string& drivePath, std::uint32_t attributes) {
  const auto host = platform::HostPath(drivePath);
  if (!host) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  struct stat st {};
  if (::stat(host->c_str(), &st) != 0) {
    platform::SetLastErrorFromErrno(errno);
    return false;
  }
  const char* name = BaseName(*host);
  const bool folder = S_ISDIR(st.st_mode);
  const std::uint32_t wanted = attributes & kStoredBits;
  if (IsDotName(name) && (wanted & FILE_ATTRIBUTE_HIDDEN) == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // The extended attribute is written only when the bits it would say differ
  // from what the file shows without it, so changing read-only alone also
  // works where the file system keeps no extended attributes.
  const auto stored = platform::StoredAttributes(host->c_str());
  const std::uint32_t shown = platform::AttributesOf(name, folder, true, stored) & kStoredBits;
  if (shown != wanted) {
    char value[16];
    const int n = std::snprintf(value, sizeof value, "0x%x", wanted);
    // The system writes a user's extended attribute only on a file its
    // caller may write: a read-only file is made writable for the moment,
    // so its hidden, system and archive bits can change as well.
    const bool unlock = (st.st_mode & S_IWUSR) == 0 && ::chmod(host->c_str(), (st.st_mode | S_IWUSR) & 07777) == 0;
    if (::setxattr(host->c_str(), "user.DOSATTRIB", value, static_cast<std::size_t>(n), 0) != 0) {
      const int error = errno;
      if (unlock) ::chmod(host->c_str(), st.st_mode & 07777);
      platform::SetLastErrorFromErrno(error == EPERM ? ENOTSUP : error);
      return false;
    }
    if (unlock) st.st_mode |= S_IWUSR;
  }
  const mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (st.st_mode & ~S_IWUSR) : (st.st_mode | S_IWUSR);
  if ((mode & 07777) != (st.st_mode & 07777) && ::chmod(host->c_str(), mode & 07777) != 0) {
    platform::SetLastErrorFromErrno(errno);
    return false;
  }
  SetLastError(ERROR_SUCCESS);
  return true;
}
