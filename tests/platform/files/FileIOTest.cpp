#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
  // Reading a pipe could wait for ever, and a device may never end.
  EXPECT_EQ(platform::File::Open("C:\\pipe", platform::File::Mode::ReadRegular), nullptr);
  EXPECT_EQ(platform::File::Open("C:\\zeros", platform::File::Mode::ReadRegular), nullptr);
  auto file = platform::File::Open("C:\\plain.txt", platform::File::Mode::ReadRegular);
  ASSERT_NE(file, nullptr);
  char buffer[8];
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 4);
}

// Reading a pipe opens at once, writer or not, and says whether a read would
// wait instead of waiting in it.
TEST_F(FileIO, ReadingOpensAPipeAtOnceAndTellsWhenItHasBytes) {
  ASSERT_EQ(::mkfifo((root_ / "pipe").c_str(), 0600), 0);
  auto file = platform::File::Open("C:\\pipe", platform::File::Mode::Read);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->WaitReadable(0));
  const int writer = ::open((root_ / "pipe").c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  EXPECT_FALSE(file->WaitReadable(20));
  ASSERT_EQ(::write(writer, "ab", 2), 2);
  EXPECT_TRUE(file->WaitReadable(0));
  char buffer[8];
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 2);
  ::close(writer);
  EXPECT_TRUE(file->WaitReadable(0));  // the writer's end: the read gives 0
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 0);
  { std::ofstream(root_ / "plain.txt") << "text"; }
  EXPECT_TRUE(platform::File::Open("C:\\plain.txt", platform::File::Mode::Read)->WaitReadable(0));
}

}  // namespace
