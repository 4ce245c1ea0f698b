#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

/// The libraries an ELF program or shared object names as needed (its
/// DT_NEEDED entries, in file order), read from the host file as data:
/// nothing of it is loaded or run. Empty for a static program. Nothing for a
/// file that is not a readable ELF file of this machine's class and byte
/// order, or one without section headers.
std::optional<std::vector<std::string>> ElfNeededLibraries(const std::string& hostPath);

}  // namespace platform
