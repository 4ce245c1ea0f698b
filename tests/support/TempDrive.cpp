#include "TempDrive.h"

#include <sys/xattr.h>
#include <fstream>
#include <iterator>

namespace testing_support {

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string DrivePathOnRoot(const std::filesystem::path& host) {
  std::string s = "C:" + host.string();
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

bool SetDosAttrib(const std::filesystem::path& path, const std::string& value) {
  return ::setxattr(path.c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) == 0;
}

}  // namespace testing_support
