#include "platform/files/HostFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>

#include "platform/system/CaseFold.h"

namespace platform {

bool IsRegularHostFile(const std::string& hostPath) {
  struct stat st {};
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsHostFolder(const std::string& hostPath) {
  struct stat st {};
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsExecutableHostFile(const std::string& hostPath) {
  return IsRegularHostFile(hostPath) && ::access(hostPath.c_str(), X_OK) == 0;
}

std::optional<std::string> FolderEntryIgnoringAsciiCase(const std::string& folder, const std::string& name,
                                                        bool (*accept)(const std::string& hostPath)) {
  const std::string exact = folder + "/" + name;
  if (accept(exact)) return exact;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const std::string wanted = LowerAscii(name);
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string entryName = entry->d_name;
    if (entryName == "." || entryName == "..") continue;
    if (LowerAscii(entryName) == wanted && (!best || entryName < *best) && accept(folder + "/" + entryName))
      best = entryName;
  }
  ::closedir(dir);
  if (!best) return std::nullopt;
  return folder + "/" + *best;
}

std::optional<std::string> FindInExecutablePath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  const std::string entries = path;
  size_t start = 0;
  while (start <= entries.size()) {
    size_t end = entries.find(':', start);
    if (end == std::string::npos) end = entries.size();
    const std::string folder = entries.substr(start, end - start);
    // Relative and empty entries would name the current folder, which is
    // whatever folder is being browsed.
    if (!folder.empty() && folder[0] == '/') {
      const std::string candidate = folder + "/" + name;
      if (IsExecutableHostFile(candidate)) return candidate;
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace platform
