#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/PrivateClipboard.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TempDrive.h"

namespace component_test {

namespace fs = std::filesystem;

/// A drive C: of the test's own (a fresh folder below the private home),
/// drive P: holding the program folder (so the system folder and its icon
/// library are found), regional settings with "," and "." and the date and
/// time formats "dd/mm/yyyy" and "hh:nn:ss", scripted message boxes and a
/// clipboard of the test's own.
class TestDrive {
 public:
  explicit TestDrive(const std::string& name);
  ~TestDrive();
  TestDrive(const TestDrive&) = delete;
  TestDrive& operator=(const TestDrive&) = delete;

  /// The host folder that is C:\.
  const fs::path& Root() const { return root_; }
  /// The host path of a drive path below C:\ ("Data\a.txt").
  fs::path Host(const std::string& below) const;

  testing_support::ScriptedMessageBoxes boxes;
  testing_support::PrivateClipboard clipboard;

 private:
  fs::path root_;
};

using testing_support::ReadFile;
using testing_support::WriteFile;
/// Sets a file's modification time to a local date and time.
void SetModified(const fs::path& path, int year, int month, int day, int hour, int minute, int second);
/// Sets the stored hidden, system and archive bits; false where the file
/// system keeps no extended attributes.
bool SetDosBits(const fs::path& path, std::uint32_t bits);
/// The bytes of a small PNG picture (from the resource library).
std::string SamplePng();
/// The names in a folder, sorted, joined by " | ".
std::string Names(const fs::path& folder);

using testing_support::SmallTmpfs;

}  // namespace component_test
