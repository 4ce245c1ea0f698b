#include "Library.h"

// Stand-in until the resource libraries are built: nothing loads.
HMODULE LoadLibraryA(const std::string&) { return nullptr; }
bool FreeLibrary(HMODULE) { return false; }
std::optional<std::string> LoadResourceBitmap(HMODULE, const std::string&) { return std::nullopt; }
std::optional<std::string> LoadResourceIcon(HMODULE, int) { return std::nullopt; }
int ResourceIconCount(HMODULE) { return 0; }
