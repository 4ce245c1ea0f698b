#include "platform/libraries/Library.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <algorithm>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/files/HostFiles.h"
#include "platform/libraries/ElfExports.h"
#include "platform/libraries/ResourceTable.h"
#include "platform/system/CaseFold.h"

struct LibraryModule {
  void* handle = nullptr;
  const PellixResourceTable* table = nullptr;
};

namespace {

// An entry of any kind is taken, and the callers then check for the kind
// they need: a spelling of the wrong kind is not passed over for another.
bool Exists(const std::string& hostPath) {
  struct stat st {};
  return ::lstat(hostPath.c_str(), &st) == 0;
}

// Library and resource names are folded in ASCII only, whatever the locale.
std::optional<std::string> EntryIgnoringCase(const std::string& folder, const std::string& name) {
  return platform::FolderEntryIgnoringAsciiCase(folder, name, Exists);
}

std::optional<std::string> SystemHostFolder() {
  const auto windows = EntryIgnoringCase(platform::ProgramHostFolder(), "Windows");
  if (!windows || !platform::IsHostFolder(*windows)) return std::nullopt;
  const auto system = EntryIgnoringCase(*windows, "System32");
  if (!system || !platform::IsHostFolder(*system)) return std::nullopt;
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
    if (auto found = EntryIgnoringCase(ProgramHostFolder(), name); found && IsRegularHostFile(*found)) return found;
    if (const auto system = SystemHostFolder()) {
      if (auto found = EntryIgnoringCase(*system, name); found && IsRegularHostFile(*found)) return found;
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
  if (!IsRegularHostFile(hostPath) || !IsResourceLibraryFile(hostPath)) return nullptr;
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
    if (r.name != nullptr && platform::LowerAscii(r.name) == platform::LowerAscii(name))
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
