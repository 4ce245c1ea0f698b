#include "KeepFoldersOpen.h"

#include <sys/stat.h>
#include <unistd.h>
#include <climits>
#include <map>
#include <mutex>
#include <string_view>

namespace platform {

namespace {

// A paste names two folders; a few more cover a tree pasted next to files.
constexpr std::size_t kMaxKept = 8;

struct Kept {
  std::mutex mutex;
  int scopes = 0;
  std::map<std::string, std::shared_ptr<const OpenFolder>> folders;
};

Kept& State() {
  static Kept kept;
  return kept;
}

// Whether the path names the kept folder now, and the folder has not moved.
// The kernel's path for the descriptor is where the folder lies; when that
// is the very path asked for (no links on the way), walking the path leads
// to this folder and to no other, so that one call tells both. A path
// through links is looked up as well.
bool StillThere(const std::string& host, const OpenFolder& folder) {
  const std::string self = "/proc/self/fd/" + std::to_string(folder.fd.Get());
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink(self.c_str(), buffer, sizeof buffer);
  if (n <= 0 || n >= static_cast<ssize_t>(sizeof buffer) ||
      folder.real.compare(0, std::string::npos, buffer, static_cast<std::size_t>(n)) != 0)
    return false;
  std::string_view path = host;
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  if (path == folder.real) return true;
  struct stat named {};
  return ::stat(host.c_str(), &named) == 0 && S_ISDIR(named.st_mode) && named.st_dev == folder.dev &&
         named.st_ino == folder.ino;
}

}  // namespace

KeepFoldersOpen::KeepFoldersOpen() {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  ++kept.scopes;
}

KeepFoldersOpen::~KeepFoldersOpen() {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (--kept.scopes == 0) kept.folders.clear();
}

std::shared_ptr<const OpenFolder> KeptFolder(const std::string& host) {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (kept.scopes == 0) return nullptr;
  const auto it = kept.folders.find(host);
  if (it == kept.folders.end()) return nullptr;
  if (StillThere(host, *it->second)) return it->second;
  kept.folders.erase(it);
  return nullptr;
}

void KeepFolder(const std::string& host, std::shared_ptr<const OpenFolder> folder) {
  Kept& kept = State();
  std::lock_guard<std::mutex> lock(kept.mutex);
  if (kept.scopes == 0) return;
  if (kept.folders.size() >= kMaxKept && kept.folders.count(host) == 0) kept.folders.erase(kept.folders.begin());
  kept.folders[host] = std::move(folder);
}

}  // namespace platform
