#include "tests/support/SmallTmpfs.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#include <string>

namespace testing_support {

namespace {

bool PrivateMounts() {
  static const bool ready =
      ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return ready;
}

}  // namespace

SmallTmpfs::SmallTmpfs(const std::filesystem::path& where, std::uint64_t bytes) : path_(where) {
  std::filesystem::create_directories(path_);
  const std::string options = "size=" + std::to_string(bytes);
  mounted_ = PrivateMounts() && ::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
}

void SmallTmpfs::Fill(int pages) const {
  const std::string filler = (path_ / ".filler").string();
  const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const std::string chunk(4096, 'f');
  off_t size = 0;
  for (;;) {
    const ssize_t n = ::write(fd, chunk.data(), chunk.size());
    if (n <= 0) break;
    size += n;
  }
  const off_t freed = static_cast<off_t>(pages) * 4096;
  if (::ftruncate(fd, size > freed ? size - freed : 0) != 0) size = 0;
  ::close(fd);
}

}  // namespace testing_support
