#pragma once

#include <elf.h>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/system/UniqueFd.h"

namespace platform {

/// An ELF file of this machine's class and byte order, read as data for its
/// section tables: nothing of it is loaded or run. Every read stays inside
/// the file as it was when opened.
class ElfFile {
 public:
  /// The file at a host path; nothing when it is not a readable regular ELF
  /// file of this machine's class and byte order with section headers.
  static std::optional<ElfFile> Open(const std::string& hostPath);

  /// The section headers, in file order.
  const std::vector<Elf64_Shdr>& Sections() const { return sections_; }

  /// Reads exactly `size` bytes at `offset`; false for a range past the end.
  bool ReadAt(std::uint64_t offset, void* out, std::uint64_t size) const;

  /// Reads a section of `T` entries and the string table it links to, neither
  /// larger than `maxBytes`; false for a link or size out of bounds.
  template <class T>
  bool ReadLinkedTable(const Elf64_Shdr& table, std::uint64_t maxBytes, std::vector<T>& entries,
                       std::vector<char>& strings) const {
    if (table.sh_link >= sections_.size()) return false;
    const Elf64_Shdr& strtab = sections_[table.sh_link];
    if (table.sh_size > maxBytes || strtab.sh_size > maxBytes) return false;
    entries.assign(table.sh_size / sizeof(T), T{});
    strings.assign(strtab.sh_size, '\0');
    return ReadAt(table.sh_offset, entries.data(), entries.size() * sizeof(T)) &&
           ReadAt(strtab.sh_offset, strings.data(), strings.size());
  }

 private:
  ElfFile(UniqueFd fd, std::uint64_t size) : fd_(std::move(fd)), size_(size) {}

  UniqueFd fd_;
  std::uint64_t size_;
  std::vector<Elf64_Shdr> sections_;
};

}  // namespace platform
