// The ELF reader, which decides which programs start in a terminal and which
// files are loaded as resource libraries: every input is a file of its own.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/libraries/ElfExports.h"
#include "platform/libraries/ElfFile.h"
#include "platform/libraries/ElfNeeded.h"
#include "platform/processes/Terminal.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/PrivateHome.h"

using fuzz_support::Check;

namespace {
std::string g_file;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  g_file = testing_support::PrivateHome() + "/input.elf";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 65536) return 0;
  {
    std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const auto needed = platform::ElfNeededLibraries(g_file);
  if (needed) {
    for (const std::string& name : *needed) Check(name.find('\0') == std::string::npos, "a needed name with a NUL");
  }
  const bool exports = platform::ElfExportsFunction(g_file, "PellixResources");
  const bool console = platform::IsConsoleProgram(g_file);
  // What cannot be opened as an ELF file exports nothing, names no
  // libraries, and is a console program only as a script. (A file that
  // opens but whose dynamic section cannot be read names no libraries
  // either, yet may export.)
  const bool elf = platform::ElfFile::Open(g_file).has_value();
  const bool script = size >= 2 && data[0] == '#' && data[1] == '!';
  if (!elf) {
    Check(!needed && !exports, "libraries or exports from a file that is no ELF file");
    Check(console == script, "a console program from a file that is neither a script nor an ELF file");
  }
  return 0;
}
