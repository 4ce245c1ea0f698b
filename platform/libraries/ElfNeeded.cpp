#include "platform/libraries/ElfNeeded.h"

#include <cstring>

#include "platform/libraries/ElfFile.h"

namespace platform {

namespace {

// Dynamic sections and their strings are small; anything larger is not a
// program we would start.
constexpr uint64_t kMaxTableBytes = 16u << 20;

}  // namespace

std::optional<std::vector<std::string>> ElfNeededLibraries(const std::string& hostPath) {
  const auto file = ElfFile::Open(hostPath);
  if (!file) return std::nullopt;

  std::vector<std::string> needed;
  for (const Elf64_Shdr& dynamic : file->Sections()) {
    if (dynamic.sh_type != SHT_DYNAMIC || dynamic.sh_entsize != sizeof(Elf64_Dyn)) continue;
    std::vector<Elf64_Dyn> entries;
    std::vector<char> strings;
    if (!file->ReadLinkedTable(dynamic, kMaxTableBytes, entries, strings)) return std::nullopt;
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
