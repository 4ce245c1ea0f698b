#include "platform/files/FileIO.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/drives/DriveMap.h"

namespace platform {

std::unique_ptr<File> File::Open(const std::string& drivePath, Mode mode) {
  const auto host = HostPath(drivePath);
  if (!host) return nullptr;
  int flags = O_CLOEXEC;
  switch (mode) {
    // Reading opens without blocking, so that opening a pipe without a writer
    // returns at once; reads block again afterwards.
    case Mode::Read:
    case Mode::ReadRegular: flags |= O_RDONLY | O_NONBLOCK; break;
    case Mode::Write: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    case Mode::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
  }
  const int fd = ::open(host->c_str(), flags, 0666);
  if (fd < 0) return nullptr;
  struct stat st {};
  const bool regularOnly = mode == Mode::ReadRegular;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) || (regularOnly && !S_ISREG(st.st_mode)) ||
      ((flags & O_NONBLOCK) != 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<File>(new File(fd));
}

File::~File() { ::close(fd_); }

std::ptrdiff_t File::Read(void* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

bool File::WaitReadable(int timeoutMs) {
  pollfd ready{fd_, POLLIN, 0};
  int polled = 0;
  do {
    polled = ::poll(&ready, 1, timeoutMs);
  } while (polled < 0 && errno == EINTR);
  // An error or a hang-up counts as readable too: the read then tells.
  return polled != 0;
}

bool File::Write(const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool File::Flush() { return ::fdatasync(fd_) == 0 || errno == EINVAL; }

std::optional<std::string> ReadWholeFile(const std::string& drivePath) {
  auto file = File::Open(drivePath, File::Mode::Read);
  if (!file) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    const std::ptrdiff_t n = file->Read(buffer, sizeof buffer);
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
  }
  return content;
}

}  // namespace platform
