#include "Library.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <algorithm>

#include "DriveMap.h"
#include "ElfExports.h"
#include "ProgramFolder.h"
#include "ResourceTable.h"

struct LibraryModule {
  void* handle = nullptr;
  const PellixResourceTable* table = nullptr;
};

namespace {

bool IsRegularFile(const std::string& hostPath) {
  struct stat st {};
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsFolder(const std::string& hostPath) {
  struct stat st {};
  return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Library and resource names are folded in ASCII only, whatever the locale.
std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// The entry of a host folder that is `name` ignoring case: the exact spelling
// when it exists, else the first matching entry in byte order, so the choice
// does not depend on the order the file system lists its entries in.
std::optional<std::string> EntryIgnoringCase(const std::string& folder, const std::string& name) {
  const std::string exact = folder + "/" + name;
  struct stat st {};
  if (::lstat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  const std::string wanted = Lower(name);
  std::optional<std::string> best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string entryName = entry->d_name;
    if (entryName == "." || entryName == "..") continue;
    if (Lower(entryName) == wanted && (!best || entryName < *best)) best = entryName;
  }
  ::closedir(dir);
  if (!best) return std::nullopt;
  return folder + "/" + *best;
}

std::optional<std::string> SystemHostFolder() {
  const auto windows = EntryIgnoringCase(platform::ProgramHostFolder(), "Windows");
  if (!windows || !IsFolder(*windows)) return std::nullopt;
  const auto system = EntryIgnoringCase(*windows, "System32");
  if (!system || !IsFolder(*system)) return std::nullopt;
  return system;
}

bool IsBareName(const std::string& name) { return name.find_first_of("\\/:") == std::string::npos; }

}  // namespace

namespace platform {

std::optional<std::string> FindLibraryFile(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (IsBareName(name)) {
    if (name == "." || name == "..") return std::nullopt;
    // Only the program folder and the system folder are searched: never the
    // current folder, which holds whatever files the user is looking at.
    if (auto found = EntryIgnoringCase(ProgramHostFolder(), name); found && IsRegularFile(*found)) return found;
    if (const auto system = SystemHostFolder()) {
      if (auto found = EntryIgnoringCase(*system, name); found && IsRegularFile(*found)) return found;
    }
    return std::nullopt;
  }
  // A host path (the icon theme's files) is taken as it stands; read as a
  // drive path it would name a folder of the current drive.
  if (name.front() == '/') return name;
  return HostPath(name);
}

bool IsResourceLibraryFile(const std::string& hostPath) {
  return ElfExportsFunction(hostPath, PELLIX_RESOURCE_EXPORT_NAME);
}

HMODULE LoadLibraryHostFile(const std::string& hostPath) {
  // The export is checked in the file before it is loaded, so a program or a
  // foreign shared object never runs its initialisers in this process.
  if (!IsRegularFile(hostPath) || !IsResourceLibraryFile(hostPath)) return nullptr;
  // dlopen searches its own path list for a name without a slash.
  const std::string path = hostPath.find('/') == std::string::npos ? "./" + hostPath : hostPath;
  void* handle = ::dlopen(path.c_str(), RTLD_LOCAL | RTLD_NOW);
  if (handle == nullptr) return nullptr;
  const auto function = reinterpret_cast<PellixResourcesFunction>(::dlsym(handle, PELLIX_RESOURCE_EXPORT_NAME));
  const PellixResourceTable* table = function != nullptr ? function() : nullptr;
  if (table == nullptr || table->magic != PELLIX_RESOURCE_MAGIC || table->version != PELLIX_RESOURCE_VERSION ||
      (table->count > 0 && table->resources == nullptr)) {
    ::dlclose(handle);
    return nullptr;
  }
  return new LibraryModule{handle, table};
}

}  // namespace platform

HMODULE LoadLibraryA(const std::string& name) {
  const auto file = platform::FindLibraryFile(name);
  return file ? platform::LoadLibraryHostFile(*file) : nullptr;
}

bool FreeLibrary(HMODULE module) {
  if (module == nullptr) return false;
  ::dlclose(module->handle);
  delete module;
  return true;
}

std::optional<std::string> LoadResourceBitmap(HMODULE module, const std::string& name) {
  if (module == nullptr) return std::nullopt;
  for (size_t i = 0; i < module->table->count; ++i) {
    const PellixResource& r = module->table->resources[i];
    if (r.name != nullptr && Lower(r.name) == Lower(name))
      return std::string(reinterpret_cast<const char*>(r.bytes), r.size);
  }
  return std::nullopt;
}

std::optional<std::string> LoadResourceIcon(HMODULE module, int index) {
  if (module == nullptr || index < 0) return std::nullopt;
  for (size_t i = 0; i < module->table->count; ++i) {
    const PellixResource& r = module->table->resources[i];
    if (r.name == nullptr && r.index == index) return std::string(reinterpret_cast<const char*>(r.bytes), r.size);
  }
  return std::nullopt;
}

int ResourceIconCount(HMODULE module) {
  if (module == nullptr) return 0;
  int count = 0;
  for (size_t i = 0; i < module->table->count; ++i) {
    const PellixResource& r = module->table->resources[i];
    if (r.name == nullptr && r.index >= 0) count = std::max(count, r.index + 1);
  }
  return count;
}
