// The MIME database's files and the icon theme's index, as the registry
// reads them from the data folders.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/registry/MimeDatabase.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TempDrive.h"

using fuzz_support::Check;

namespace {

namespace fs = std::filesystem;

fs::path g_home;
fs::path g_system;

// The files each input writes, in the order of its parts.
const char* const kFiles[] = {
    "home/mime/globs2",          "system/mime/globs2",        "system/mime/globs",
    "home/mime/aliases",         "home/mime/types",           "home/mime/icons",
    "system/mime/generic-icons", "home/mime/text/x-fuzz.xml", "home/icons/hicolor/index.theme",
};
constexpr std::size_t kParts = sizeof kFiles / sizeof kFiles[0];

// The extensions a glob line names, lower-cased as the database is asked.
std::vector<std::string> Extensions(const std::string& globs) {
  std::vector<std::string> out = {".txt", ".fz"};
  for (std::size_t at = globs.find("*."); at != std::string::npos && out.size() < 64; at = globs.find("*.", at + 2)) {
    std::string ext = ".";
    for (std::size_t i = at + 2; i < globs.size() && globs[i] != '\n' && globs[i] != ':'; ++i)
      ext += static_cast<char>(globs[i] >= 'A' && globs[i] <= 'Z' ? globs[i] + 32 : globs[i]);
    out.push_back(ext);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz_support::Start(false);
  const fs::path base = testing_support::FreshFolder("mime");
  g_home = base / "home";
  g_system = base / "system";
  setenv("XDG_DATA_HOME", g_home.c_str(), 1);
  setenv("XDG_DATA_DIRS", g_system.c_str(), 1);
  setenv("LANGUAGE", "de_DE:fr", 1);
  testing_support::WriteFile(g_home / "icons" / "hicolor" / "16x16" / "mimetypes" / "text-x-fuzz.png", "png");
  testing_support::WriteFile(g_home / "icons" / "hicolor" / "scalable" / "text-plain.svg", "svg");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 16384) return 0;
  const std::vector<std::string> parts = fuzz_support::Parts(data, size, kParts);
  for (std::size_t n = 0; n < kParts; ++n) {
    const fs::path file = g_home.parent_path() / kFiles[n];
    if (parts[n].empty()) {
      std::error_code ignored;
      fs::remove(file, ignored);
    } else {
      testing_support::WriteFile(file, parts[n]);
    }
  }
  platform::MimeDatabase database;
  for (const std::string& extension : Extensions(parts[0] + "\n" + parts[1] + "\n" + parts[2])) {
    const std::string* type = database.ExtensionType(extension);
    if (type == nullptr) continue;
    Check(!type->empty(), "an empty type for an extension");
    std::string folded;
    for (const char c : *type) folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    database.Description(folded);
    if (const std::string* icon = database.IconFile(folded)) Check(!icon->empty(), "an empty icon file name");
  }
  database.Description("text/x-fuzz");
  database.IconFile("text/x-fuzz");
  database.IconFile("text/plain");
  return 0;
}
