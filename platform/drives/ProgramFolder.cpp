#include "platform/drives/ProgramFolder.h"

#include <unistd.h>
#include <climits>

namespace platform {

namespace {
std::string& Override() {
  static std::string folder;
  return folder;
}
}  // namespace

std::string ProgramHostFolder() {
  if (!Override().empty()) return Override();
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "/";
  std::string path(buffer, static_cast<size_t>(n));
  const auto slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

void SetProgramHostFolder(const std::string& hostFolder) { Override() = hostFolder; }

}  // namespace platform
