#include "Icon.h"

// Stand-in until the resource libraries are built: no file has icons.
HICON ExtractIconA(const std::string&, unsigned) { return nullptr; }
