#include "TempDrive.h"

#include <sys/xattr.h>
#include <fstream>

namespace testing_support {

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

bool SetDosAttrib(const std::filesystem::path& path, const std::string& value) {
  return ::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) == 0;
}

}  // namespace testing_support
