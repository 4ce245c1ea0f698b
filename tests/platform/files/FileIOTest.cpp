#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>
#include <fstream>

#include "platform/drives/DriveMap.h"
#include "platform/files/FileIO.h"
#include "platform/files/FileReplacement.h"
#include "tests/support/TempDrive.h"

namespace {

class FileIO : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("fileio");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }
  std::filesystem::path root_;
};

TEST_F(FileIO, ReplaceKeepsPermissionsAndNeverLeavesATempFile) {
  { std::ofstream(root_ / "s.ini") << "old"; }
  std::filesystem::permissions(root_ / "s.ini", std::filesystem::perms(0640));
  ASSERT_TRUE(platform::ReplaceFileContents("C:\\s.ini", "new"));
  EXPECT_EQ(platform::ReadWholeFile("C:\\s.ini").value(), "new");
  EXPECT_EQ(std::filesystem::status(root_ / "s.ini").permissions(), std::filesystem::perms(0640));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), std::filesystem::directory_iterator()), 1);
}

TEST_F(FileIO, ReadOnlyFileIsNotReplaced) {
  { std::ofstream(root_ / "r.ini") << "old"; }
  std::filesystem::permissions(root_ / "r.ini", std::filesystem::perms(0444));
  EXPECT_FALSE(platform::ReplaceFileContents("C:\\r.ini", "new"));
  EXPECT_EQ(platform::ReadWholeFile("C:\\r.ini").value(), "old");
}

TEST_F(FileIO, FolderDoesNotOpenAsAFile) {
  std::filesystem::create_directories(root_ / "dir");
  EXPECT_EQ(platform::File::Open("C:\\dir", platform::File::Mode::Read), nullptr);
  EXPECT_FALSE(platform::ReadWholeFile("C:\\missing").has_value());
}

TEST_F(FileIO, RegularReadingRefusesPipesAndDevices) {
  { std::ofstream(root_ / "plain.txt") << "text"; }
  ASSERT_EQ(::mkfifo((root_ / "pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", root_ / "zeros");
  // A pipe without a writer would hold the opening, and a device may never end.
  EXPECT_EQ(platform::File::Open("C:\\pipe", platform::File::Mode::ReadRegular), nullptr);
  EXPECT_EQ(platform::File::Open("C:\\zeros", platform::File::Mode::ReadRegular), nullptr);
  auto file = platform::File::Open("C:\\plain.txt", platform::File::Mode::ReadRegular);
  ASSERT_NE(file, nullptr);
  char buffer[8];
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 4);
}

}  // namespace
