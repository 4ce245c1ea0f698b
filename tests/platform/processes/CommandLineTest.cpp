#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

#include "platform/drives/DriveMap.h"
#include "platform/processes/CommandLine.h"
#include "tests/support/TempDrive.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, BlanksAndTabsSplitAndQuotesGroup) {
  struct Case {
    const char* line;
    Arguments arguments;
  } cases[] = {
      {"", {}},
      {"  \t ", {}},
      {"Quorvin.exe C:\\a.bin", {"Quorvin.exe", "C:\\a.bin"}},
      {"Quorvin.exe C:\\My Files\\a.bin", {"Quorvin.exe", "C:\\My", "Files\\a.bin"}},
      {"Quorvin.exe \"C:\\My Files\\a.bin\"", {"Quorvin.exe", "C:\\My Files\\a.bin"}},
      {"a\t\tb  c", {"a", "b", "c"}},
      {"C:\\\"My Files\"\\x y", {"C:\\My Files\\x", "y"}},
      {"a \"\" b", {"a", "", "b"}},
      {"\"C:\\Dir\\\" x", {"C:\\Dir\\", "x"}},  // a backslash before a quote is a plain backslash
      {"\"open to the end", {"open to the end"}},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::SplitCommandLine(c.line), c.arguments) << c.line;
}

class ArgumentPath : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::canonical(testing_support::FreshFolder("arguments"));
    std::filesystem::create_directories(root_ / "sub");
    platform::SetDriveMap({{'D', root_.string(), 3}});
    previous_ = std::filesystem::current_path();
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    platform::UseDefaultDriveMap();
  }
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

TEST_F(ArgumentPath, DrivePathsStayAndHostPathsGoThroughTheDriveMap) {
  std::filesystem::current_path(root_ / "sub");
  const std::string host = root_.string();
  struct Case {
    std::string name;
    std::optional<std::string> path;
  } cases[] = {
      {"C:\\My Files\\a.bin", "C:\\My Files\\a.bin"},
      {"d:x", "d:x"},
      {host + "/sub/a.bin", "D:\\sub\\a.bin"},
      {host + "/sub/../sub/./a.bin", "D:\\sub\\a.bin"},
      {"a.bin", "D:\\sub\\a.bin"},
      {"../a.bin", "D:\\a.bin"},
      {"/", std::nullopt},  // no drive holds it
      {host + "/missing/a.bin", std::nullopt},
      {"a\\b.bin", std::nullopt},  // a host name a drive path cannot carry
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::ArgumentDrivePath(c.name), c.path) << c.name;
}

}  // namespace
