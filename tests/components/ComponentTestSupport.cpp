#include "tests/components/ComponentTestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cstdio>
#include <ctime>
#include <set>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/libraries/Library.h"
#include "platform/system/Locale.h"

namespace component_test {

TestDrive::TestDrive(const std::string& name) : root_(testing_support::FreshFolder(name)) {
  platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);
  platform::SetDriveMap({{'C', root_.string(), 3}, {'P', PELLIX_PROGRAM_DIR, 3}});
  platform::ForgetCurrentFolder();
  platform::RegionalSettings settings;
  settings.decimalSeparator = ".";
  settings.thousandSeparator = ",";
  settings.shortDateFormat = "dd/mm/yyyy";
  settings.longTimeFormat = "hh:nn:ss";
  platform::SetRegionalSettings(settings);
}

TestDrive::~TestDrive() {
  platform::UseSystemRegionalSettings();
  SetCurrentDirectoryA("P:\\");
  platform::UseDefaultDriveMap();
  platform::ForgetCurrentFolder();
  platform::SetProgramHostFolder("");
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

fs::path TestDrive::Host(const std::string& below) const {
  std::string path = below;
  for (char& c : path)
    if (c == '\\') c = '/';
  return root_ / path;
}

void SetModified(const fs::path& path, int year, int month, int day, int hour, int minute, int second) {
  const std::time_t when = testing_support::LocalTime(year, month, day, hour, minute, second);
  const struct timespec times[2] = {{when, 0}, {when, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

bool SetDosBits(const fs::path& path, std::uint32_t bits) {
  char value[16];
  std::snprintf(value, sizeof value, "0x%x", bits);
  return testing_support::SetDosAttrib(path, value);
}

std::string SamplePng() {
  HMODULE library = LoadLibraryA("PX4Images.dll");
  if (library == nullptr) return {};
  std::string png = LoadResourceBitmap(library, "SM_SDIR1").value_or("");
  FreeLibrary(library);
  return png;
}

std::string Names(const fs::path& folder) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().string());
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : " | ") + name;
  return text;
}

}  // namespace component_test
