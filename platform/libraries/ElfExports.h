#pragma once

#include <string>

namespace platform {

/// Whether the ELF shared object or program in a host file exports a defined
/// function of that name in its dynamic symbol table. The file is read as
/// data only: nothing of it is loaded or run. False for anything that is not
/// a readable ELF file of this machine's class and byte order.
bool ElfExportsFunction(const std::string& hostPath, const std::string& name);

}  // namespace platform
