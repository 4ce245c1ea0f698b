#include "platform/drives/DriveMap.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "platform/drives/ExactNames.h"
#include "platform/drives/FolderNameCache.h"
#include "platform/drives/Folders.h"
#include "platform/drives/MountTable.h"

namespace platform {

namespace {

struct Drive {
  DriveMapping mapping;
  std::string real;  // the root with its symbolic links resolved, when it exists
};

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Takes "." and ".." out of a slash path and drops empty components.
std::string Normalize(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i < path.size()) {
    std::size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    const std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

std::string RealPath(const std::string& path) {
  char buffer[PATH_MAX];
  return ::realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

Drive MakeDrive(DriveMapping mapping) {
  mapping.letter = Upper(mapping.letter);
  mapping.root = Normalize(mapping.root);
  return Drive{mapping, RealPath(mapping.root)};
}

std::vector<Drive> UserMap() {
  std::vector<Drive> drives;
  const std::string folder = UserDriveMapFolder();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return drives;
  while (dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() != 2 || name[1] != ':' || !IsLetter(name[0])) continue;
    const std::string link = folder + "/" + name;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    std::string root(target, static_cast<std::size_t>(n));
    if (root[0] != '/') root = folder + "/" + root;
    const char letter = Upper(name[0]);
    if (std::any_of(drives.begin(), drives.end(), [&](const Drive& d) { return d.mapping.letter == letter; })) continue;
    drives.push_back(MakeDrive({letter, root, -1}));
  }
  ::closedir(dir);
  return drives;
}

std::vector<Drive> DefaultMap() {
  std::vector<Drive> drives{MakeDrive({'C', "/", -1})};
  char letter = 'D';
  for (const std::string& point : VolumeMountPoints(ReadMountTable())) {
    if (letter > 'Z') break;
    drives.push_back(MakeDrive({letter++, point, -1}));
  }
  return drives;
}

void SortByLetter(std::vector<Drive>& drives) {
  std::sort(drives.begin(), drives.end(),
            [](const Drive& a, const Drive& b) { return a.mapping.letter < b.mapping.letter; });
}

std::vector<Drive>& Map() {
  static std::vector<Drive> map = [] {
    std::vector<Drive> drives = UserMap();
    if (drives.empty()) drives = DefaultMap();
    SortByLetter(drives);
    return drives;
  }();
  return map;
}

const Drive* Find(char letter) {
  letter = Upper(letter);
  for (const Drive& drive : Map())
    if (drive.mapping.letter == letter) return &drive;
  return nullptr;
}

// Splits the part of a drive path after its drive into components, taking
// "." and ".." apart lexically so that nothing climbs above the root.
void AddComponents(const std::string& text, std::vector<std::string>& names) {
  std::size_t i = 0;
  while (i <= text.size()) {
    std::size_t j = i;
    while (j < text.size() && !IsSeparator(text[j])) ++j;
    const std::string part = text.substr(i, j - i);
    if (part == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!part.empty() && part != ".") {
      names.push_back(part);
    }
    i = j + 1;
  }
}

// Where a host path lies below a root: the rest after the root, or nothing.
std::optional<std::string> Below(const std::string& path, const std::string& root) {
  if (root.empty()) return std::nullopt;
  if (root == "/") return path == "/" ? std::string() : path;
  if (path == root) return std::string();
  if (path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/')
    return path.substr(root.size());
  return std::nullopt;
}

}  // namespace

std::string UserDriveMapFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home ? home : "") + "/.config";
  }
  return base + "/pellix/drives";
}

void SetDriveMap(const std::vector<DriveMapping>& drives) {
  std::vector<Drive> map;
  for (const DriveMapping& mapping : drives) map.push_back(MakeDrive(mapping));
  SortByLetter(map);
  Map() = std::move(map);
  ForgetCurrentFolder();
}

void UseDefaultDriveMap() {
  std::vector<Drive> drives = UserMap();
  if (drives.empty()) drives = DefaultMap();
  SortByLetter(drives);
  Map() = std::move(drives);
  ForgetCurrentFolder();
}

std::vector<DriveMapping> CurrentDriveMap() {
  std::vector<DriveMapping> out;
  for (const Drive& drive : Map()) out.push_back(drive.mapping);
  return out;
}

std::optional<DriveMapping> FindDrive(char letter) {
  const Drive* drive = Find(letter);
  if (!drive) return std::nullopt;
  return drive->mapping;
}

bool StartsAtDriveRoot(const std::string& drivePath) {
  return drivePath.size() >= 3 && drivePath[1] == ':' && drivePath[2] == '\\';
}

std::string JoinHost(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::optional<std::string> LookUpName(const std::string& folder, const std::string& name) {
  if (name.empty() || name.find('\\') != std::string::npos || name.find('/') != std::string::npos) return std::nullopt;
  struct stat st {};
  if (::lstat(JoinHost(folder, name).c_str(), &st) == 0) return name;
  return FindNameIgnoringCase(folder, name);
}

namespace {

std::optional<ResolvedPath> Resolve(const std::string& drivePath, bool exactLast) {
  if (drivePath.find('\0') != std::string::npos) return std::nullopt;
  ResolvedPath out;
  std::string rest;
  const bool hasDrive = drivePath.size() >= 2 && drivePath[1] == ':' && IsLetter(drivePath[0]);
  if (hasDrive) {
    out.letter = Upper(drivePath[0]);
    rest = drivePath.substr(2);
    if (!rest.empty() && !IsSeparator(rest[0])) {
      // "C:name" is relative to the current folder when that is on drive C.
      const std::string current = GetCurrentDirectoryA();
      if (Upper(current[0]) == out.letter) rest = current.substr(2) + "\\" + rest;
    }
  } else {
    if (drivePath.size() >= 2 && IsSeparator(drivePath[0]) && IsSeparator(drivePath[1])) return std::nullopt;
    const std::string current = GetCurrentDirectoryA();
    out.letter = Upper(current[0]);
    rest = !drivePath.empty() && IsSeparator(drivePath[0]) ? drivePath : current.substr(2) + "\\" + drivePath;
  }
  const Drive* drive = Find(out.letter);
  if (!drive) return std::nullopt;
  std::vector<std::string> names;
  AddComponents(rest, names);
  out.host = drive->mapping.root;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    std::optional<std::string> found;
    if (out.exists && exactLast && i + 1 == names.size()) {
      struct stat st {};
      if (::lstat(JoinHost(out.host, name).c_str(), &st) == 0) found = name;
    } else if (out.exists) {
      found = LookUpName(out.host, name);
    }
    if (!found) out.exists = false;
    out.names.push_back(found ? *found : name);
    out.host = JoinHost(out.host, out.names.back());
  }
  return out;
}

}  // namespace

std::optional<ResolvedPath> ResolveDrivePath(const std::string& drivePath) {
  return Resolve(drivePath, ExactNames::InForce());
}

std::optional<ResolvedPath> ResolveFolderPath(const std::string& drivePath) { return Resolve(drivePath, false); }

std::optional<std::string> HostPath(const std::string& drivePath) {
  auto resolved = ResolveDrivePath(drivePath);
  if (!resolved) return std::nullopt;
  return resolved->host;
}

std::optional<std::string> DrivePath(const std::string& hostPath) {
  if (hostPath.empty() || hostPath.find('\0') != std::string::npos) return std::nullopt;
  std::string path = hostPath;
  if (path[0] != '/') {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer)) return std::nullopt;
    path = std::string(buffer) + "/" + path;
  }
  path = Normalize(path);
  const Drive* best = nullptr;
  std::string bestRest;
  std::size_t bestLength = 0;
  for (const Drive& drive : Map()) {
    for (const std::string* root : {&drive.mapping.root, &drive.real}) {
      const auto rest = Below(path, *root);
      if (!rest || (best && root->size() <= bestLength)) continue;
      best = &drive;
      bestRest = *rest;
      bestLength = root->size();
    }
  }
  if (!best) return std::nullopt;
  if (bestRest.find('\\') != std::string::npos) return std::nullopt;
  std::replace(bestRest.begin(), bestRest.end(), '/', '\\');
  return std::string(1, best->mapping.letter) + ":" + (bestRest.empty() ? "\\" : bestRest);
}

}  // namespace platform
