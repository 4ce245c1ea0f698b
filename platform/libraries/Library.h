#pragma once

#include <optional>
#include <string>

/// A loaded resource library.
struct LibraryModule;
using HMODULE = LibraryModule*;

/// Loads a resource library by name through the library search: the program
/// folder first, then the system folder (the program folder's
/// Windows\System32), the file name matched ignoring case. A drive path, or
/// a name with a folder, loads that file. Nothing (nullptr) when it cannot be
/// found or is not a resource library of this project (a shared object that
/// lacks the table export is never loaded, so none of its code runs).
HMODULE LoadLibraryA(const std::string& name);
/// Releases a library that LoadLibraryA loaded; false for nullptr.
bool FreeLibrary(HMODULE module);

/// The bitmap stored under `name` (compared ignoring case) in a loaded
/// library: the bytes of an image file (PNG). Nothing when the library holds
/// no such bitmap.
std::optional<std::string> LoadResourceBitmap(HMODULE module, const std::string& name);
/// The icon at position `index` of a loaded library, as image-file bytes;
/// nothing when the library has no icon there.
std::optional<std::string> LoadResourceIcon(HMODULE module, int index);
/// One past the library's last icon position (0 without icons); positions
/// below it may hold no icon.
int ResourceIconCount(HMODULE module);

namespace platform {

/// The host file that a library name stands for: a bare name through the
/// library search, a drive path (or a name with a folder) through the drive
/// map, an absolute host path as it is. Nothing when the search finds no
/// such file or the path cannot be mapped. The file may be of any kind.
std::optional<std::string> FindLibraryFile(const std::string& name);
/// Whether a host file is a resource library of this project, judged from
/// its content (read as data; nothing of it runs).
bool IsResourceLibraryFile(const std::string& hostPath);
/// Loads the resource library in a host file; nullptr when it is not one.
HMODULE LoadLibraryHostFile(const std::string& hostPath);

}  // namespace platform
