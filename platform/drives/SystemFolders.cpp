#include "platform/drives/SystemFolders.h"

#include <unistd.h>
#include <climits>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"

namespace {

std::string ProgramFileName() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  const std::string path(buffer, static_cast<std::size_t>(n));
  return path.substr(path.rfind('/') + 1);
}

std::string ProgramFolder() {
  const auto folder = platform::DrivePath(platform::ProgramHostFolder());
  if (!folder) return {};
  return folder->back() == '\\' ? folder->substr(0, folder->size() - 1) : *folder;
}

}  // namespace

std::string GetModuleFileNameA() {
  const std::string folder = ProgramFolder();
  return folder.empty() ? folder : folder + "\\" + ProgramFileName();
}

std::string GetWindowsDirectoryA() {
  const std::string folder = ProgramFolder();
  return folder.empty() ? folder : folder + "\\Windows";
}

std::string GetSystemDirectoryA() {
  const std::string folder = ProgramFolder();
  return folder.empty() ? folder : folder + "\\Windows\\System32";
}
