// The command-line tail made from the program's arguments.

#include "app/StartFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/drives/DriveMap.h"
#include "tests/support/TempDrive.h"

namespace {

TEST(CommandLineTail, IsTheWholeRestOfTheCommandLine) {
  const struct {
    std::vector<std::string> arguments;
    std::string tail;
  } cases[] = {
      {{}, ""},
      {{"C:\\Data"}, "C:\\Data"},
      {{"C:\\My", "Files"}, "C:\\My Files"},
      {{"C:\\My Files"}, "C:\\My Files"},
      {{"\"C:\\My Files\""}, "\"C:\\My Files\""},
      {{"C:\\Data  "}, "C:\\Data  "},
      {{"C:\\a", "", "b"}, "C:\\a  b"},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandLineTail(c.arguments), c.tail) << c.tail;
}

TEST(CommandLineTail, AHostPathBecomesItsDrivePath) {
  const std::filesystem::path root = testing_support::FreshFolder("tail");
  std::filesystem::create_directories(root / "My Files");
  platform::SetDriveMap({{'C', root.string(), 3}});
  EXPECT_EQ(CommandLineTail({(root / "My Files").string()}), "C:\\My Files");
  EXPECT_EQ(CommandLineTail({root.string()}), "C:\\");
  EXPECT_EQ(CommandLineTail({"/no/drive/holds/this"}), "/no/drive/holds/this");
  platform::UseDefaultDriveMap();
}

}  // namespace
