#include "ElfExports.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <vector>

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

// Symbol tables beyond this are not ours; they would only cost memory.
constexpr uint64_t kMaxTableBytes = 64u << 20;

}  // namespace

bool ElfExportsFunction(const std::string& hostPath, const std::string& name) {
  Fd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) return false;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;

  Elf64_Ehdr eh{};
  if (!ReadAt(fd.get(), st.st_size, 0, &eh, sizeof eh)) return false;
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64) return false;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  if (eh.e_ident[EI_DATA] != ELFDATA2LSB) return false;
#else
  if (eh.e_ident[EI_DATA] != ELFDATA2MSB) return false;
#endif
  if (eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shnum == 0) return false;

  std::vector<Elf64_Shdr> sections(eh.e_shnum);
  if (!ReadAt(fd.get(), st.st_size, eh.e_shoff, sections.data(), sections.size() * sizeof(Elf64_Shdr))) return false;

  for (const Elf64_Shdr& symtab : sections) {
    if (symtab.sh_type != SHT_DYNSYM || symtab.sh_entsize != sizeof(Elf64_Sym)) continue;
    if (symtab.sh_link >= sections.size()) return false;
    const Elf64_Shdr& strtab = sections[symtab.sh_link];
    if (symtab.sh_size > kMaxTableBytes || strtab.sh_size > kMaxTableBytes) return false;
    std::vector<Elf64_Sym> symbols(symtab.sh_size / sizeof(Elf64_Sym));
    std::vector<char> strings(strtab.sh_size);
    if (!ReadAt(fd.get(), st.st_size, symtab.sh_offset, symbols.data(), symbols.size() * sizeof(Elf64_Sym)) ||
        !ReadAt(fd.get(), st.st_size, strtab.sh_offset, strings.data(), strings.size()))
      return false;
    for (const Elf64_Sym& sym : symbols) {
      if (sym.st_shndx == SHN_UNDEF || ELF64_ST_TYPE(sym.st_info) != STT_FUNC) continue;
      const unsigned char bind = ELF64_ST_BIND(sym.st_info);
      if (bind != STB_GLOBAL && bind != STB_WEAK) continue;
      if (ELF64_ST_VISIBILITY(sym.st_other) != STV_DEFAULT && ELF64_ST_VISIBILITY(sym.st_other) != STV_PROTECTED)
        continue;
      if (sym.st_name >= strings.size()) continue;
      const char* symbolName = strings.data() + sym.st_name;
      const size_t room = strings.size() - sym.st_name;
      if (name.size() < room && std::memcmp(symbolName, name.data(), name.size()) == 0 &&
          symbolName[name.size()] == '\0')
        return true;
    }
  }
  return false;
}

}  // namespace platform
