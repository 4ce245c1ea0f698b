#include "Find.h"

// Stand-in until the folder listing is built: nothing is found.
HFIND FindFirstFileA(const std::string&, std::uint32_t, WIN32_FIND_DATAA&) { return nullptr; }
bool FindNextFileA(HFIND, WIN32_FIND_DATAA&) { return false; }
bool FindClose(HFIND) { return false; }
