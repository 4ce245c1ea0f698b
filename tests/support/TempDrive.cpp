#include "tests/support/TempDrive.h"

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

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = -1;
  return std::mktime(&fields);
}

}  // namespace testing_support
