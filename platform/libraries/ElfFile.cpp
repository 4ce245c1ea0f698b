#include "platform/libraries/ElfFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cstring>
#include <utility>

namespace platform {

std::optional<ElfFile> ElfFile::Open(const std::string& hostPath) {
  UniqueFd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  ElfFile file(std::move(fd), static_cast<std::uint64_t>(st.st_size));

  Elf64_Ehdr eh{};
  if (!file.ReadAt(0, &eh, sizeof eh)) return std::nullopt;
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64) return std::nullopt;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  if (eh.e_ident[EI_DATA] != ELFDATA2LSB) return std::nullopt;
#else
  if (eh.e_ident[EI_DATA] != ELFDATA2MSB) return std::nullopt;
#endif
  if (eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shnum == 0) return std::nullopt;

  file.sections_.resize(eh.e_shnum);
  if (!file.ReadAt(eh.e_shoff, file.sections_.data(), file.sections_.size() * sizeof(Elf64_Shdr))) return std::nullopt;
  return file;
}

bool ElfFile::ReadAt(std::uint64_t offset, void* out, std::uint64_t size) const {
  if (offset > size_ || size > size_ - offset) return false;
  auto* p = static_cast<char*>(out);
  while (size > 0) {
    const ssize_t n = ::pread(fd_.Get(), p, size, static_cast<off_t>(offset));
    if (n <= 0) return false;
    p += n;
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::uint64_t>(n);
  }
  return true;
}

}  // namespace platform
