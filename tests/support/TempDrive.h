#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "tests/support/PrivateHome.h"

namespace testing_support {

/// A fresh, empty host folder below the private home, named after the test.
inline std::filesystem::path FreshFolder(const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(PrivateHome()) / "drives" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

/// Creates a file holding `content`, and its folders.
void WriteFile(const std::filesystem::path& path, const std::string& content = "x");

/// The bytes of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

/// The drive path of a host path under a drive map whose C: is /.
std::string DrivePathOnRoot(const std::filesystem::path& host);

/// Sets the extended attribute user.DOSATTRIB to `value`; false where the
/// file system keeps none.
bool SetDosAttrib(const std::filesystem::path& path, const std::string& value);

/// Seconds since 1970 of a date and time on this machine's local clock.
std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second = 0);

}  // namespace testing_support
