#include "ElfNeeded.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>

namespace platform {

namespace {

// Reads exactly `size` bytes at `offset`, refusing ranges past the end of the file.
bool ReadAt(int fd, off_t fileSize, uint64_t offset, void* out, uint64_t size) {
  if (offset > static_cast<uint64_t>(fileSize) || size > static_cast<uint64_t>(fileSize) - offset) return false;
  auto* p = static_cast<char*>(out);
  while (size > 0) {
    const ssize_t n = ::pread(fd, p, size, static_cast<off_t>(offset));
    if (n <= 0) return false;
    p += n;
    offset += static_cast<uint64_t>(n);
    size -= static_cast<uint64_t>(n);
  }
  return true;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Dynamic sections and their strings are small; anything larger is not a
// program we would start.
constexpr uint64_t kMaxTableBytes = 16u << 20;

}  // namespace

std::optional<std::vector<std::string>> ElfNeededLibraries(const std::string& hostPath) {
  Fd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;

  Elf64_Ehdr eh{};
  if (!ReadAt(fd.get(), st.st_size, 0, &eh, sizeof eh)) return std::nullopt;
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64) return std::nullopt;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  if (eh.e_ident[EI_DATA] != ELFDATA2LSB) return std::nullopt;
#else
  if (eh.e_ident[EI_DATA] != ELFDATA2MSB) return std::nullopt;
#endif
  if (eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shnum == 0) return std::nullopt;

  std::vector<Elf64_Shdr> sections(eh.e_shnum);
  if (!ReadAt(fd.get(), st.st_size, eh.e_shoff, sections.data(), sections.size() * sizeof(Elf64_Shdr)))
    return std::nullopt;

  std::vector<std::string> needed;
  for (const Elf64_Shdr& dynamic : sections) {
    if (dynamic.sh_type != SHT_DYNAMIC || dynamic.sh_entsize != sizeof(Elf64_Dyn)) continue;
    if (dynamic.sh_link >= sections.size()) return std::nullopt;
    const Elf64_Shdr& strtab = sections[dynamic.sh_link];
    if (dynamic.sh_size > kMaxTableBytes || strtab.sh_size > kMaxTableBytes) return std::nullopt;
    std::vector<Elf64_Dyn> entries(dynamic.sh_size / sizeof(Elf64_Dyn));
    std::vector<char> strings(strtab.sh_size);
    if (!ReadAt(fd.get(), st.st_size, dynamic.sh_offset, entries.data(), entries.size() * sizeof(Elf64_Dyn)) ||
        !ReadAt(fd.get(), st.st_size, strtab.sh_offset, strings.data(), strings.size()))
      return std::nullopt;
    for (const Elf64_Dyn& entry : entries) {
      if (entry.d_tag == DT_NULL) break;
      if (entry.d_tag != DT_NEEDED || entry.d_un.d_val >= strings.size()) continue;
      const char* name = strings.data() + entry.d_un.d_val;
      needed.emplace_back(name, strnlen(name, strings.size() - entry.d_un.d_val));
    }
  }
  return needed;
}

}  // namespace platform
