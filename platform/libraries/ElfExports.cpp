#include "platform/libraries/ElfExports.h"

#include <cstring>
#include <vector>

#include "platform/libraries/ElfFile.h"

namespace platform {

namespace {

// Symbol tables beyond this are not ours; they would only cost memory.
constexpr uint64_t kMaxTableBytes = 64u << 20;

}  // namespace

bool ElfExportsFunction(const std::string& hostPath, const std::string& name) {
  const auto file = ElfFile::Open(hostPath);
  if (!file) return false;

  for (const Elf64_Shdr& symtab : file->Sections()) {
    if (symtab.sh_type != SHT_DYNSYM || symtab.sh_entsize != sizeof(Elf64_Sym)) continue;
    std::vector<Elf64_Sym> symbols;
    std::vector<char> strings;
    if (!file->ReadLinkedTable(symtab, kMaxTableBytes, symbols, strings)) return false;
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
