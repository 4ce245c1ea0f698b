#pragma once

#include <optional>
#include <string>

/// A loaded resource library.
struct LibraryModule;
using HMODULE = LibraryModule*;

/// Loads a resource library by name through the library search: the program
/// folder first, then the system folder. A path loads that file. Nothing
/// (nullptr) when it cannot be found or is not a resource library.
HMODULE LoadLibraryA(const std::string& name);
/// Releases a library that LoadLibraryA loaded.
bool FreeLibrary(HMODULE module);

/// The bitmap stored under `name` in a loaded library: the bytes of an image
/// file (PNG). Nothing when the library holds no such bitmap.
std::optional<std::string> LoadResourceBitmap(HMODULE module, const std::string& name);
/// The icon at position `index` of a loaded library, as image-file bytes;
/// nothing when the library has no icon there.
std::optional<std::string> LoadResourceIcon(HMODULE module, int index);
/// How many icons a loaded library holds.
int ResourceIconCount(HMODULE module);
