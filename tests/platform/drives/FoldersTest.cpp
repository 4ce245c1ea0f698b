#include <gtest/gtest.h>

#include <unistd.h>
#include <climits>
#include <filesystem>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "platform/drives/SystemFolders.h"
#include "platform/system/LastError.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::WriteFile;

std::string HostWorkingFolder() {
  char buffer[PATH_MAX];
  return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

class Folders : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("folders");
    fs::create_directories(root_ / "Data" / "Sub");
    WriteFile(root_ / "Data" / "a.txt");
    ASSERT_EQ(::chdir((root_ / "Data").c_str()), 0);
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override {
    ASSERT_EQ(::chdir("/"), 0);
    platform::SetProgramHostFolder("");
    platform::UseDefaultDriveMap();
  }
  fs::path root_;
};

TEST_F(Folders, CurrentFolderStartsAtTheHostsAndFollowsIt) {
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");
  ASSERT_TRUE(SetCurrentDirectoryA("c:\\DATA\\sub\\"));
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data\\Sub");
  EXPECT_EQ(HostWorkingFolder(), (root_ / "Data" / "Sub").string());
  ASSERT_TRUE(SetCurrentDirectoryA(".."));
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");
  ASSERT_TRUE(SetCurrentDirectoryA("C:"));
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\");
  EXPECT_EQ(HostWorkingFolder(), root_.string());

  for (const char* bad : {"C:\\missing", "C:\\Data\\a.txt", "Q:\\", "\\\\server\\share"}) {
    EXPECT_FALSE(SetCurrentDirectoryA(bad)) << bad;
    EXPECT_EQ(GetCurrentDirectoryA(), "C:\\");
    EXPECT_EQ(HostWorkingFolder(), root_.string());
  }
}

TEST_F(Folders, OutsideEveryDriveTheCurrentFolderIsTheRootOfC) {
  ASSERT_EQ(::chdir("/"), 0);
  platform::SetDriveMap({{'C', root_.string(), 3}});
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\");
}

TEST_F(Folders, CreateAndRemove) {
  EXPECT_TRUE(CreateDirectoryA("C:\\data\\New"));
  EXPECT_TRUE(fs::is_directory(root_ / "Data" / "New"));
  EXPECT_FALSE(CreateDirectoryA("C:\\DATA\\new"));  // exists, ignoring case
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryA("C:\\missing\\New"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

  WriteFile(root_ / "Data" / "New" / "f");
  EXPECT_FALSE(RemoveDirectoryA("C:\\Data\\New"));
  EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
  EXPECT_FALSE(DeleteFileA("C:\\Data\\New"));  // a folder is no file
  EXPECT_TRUE(DeleteFileA("C:\\Data\\NEW\\F"));
  EXPECT_FALSE(DeleteFileA("C:\\Data\\New\\f"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(RemoveDirectoryA("C:\\Data\\a.txt"));
  EXPECT_TRUE(RemoveDirectoryA("C:\\Data\\New"));
  EXPECT_FALSE(fs::exists(root_ / "Data" / "New"));
  EXPECT_FALSE(RemoveDirectoryA("C:\\"));
}

TEST_F(Folders, ReadOnlyFileIsNotDeleted) {
  fs::permissions(root_ / "Data" / "a.txt", fs::perms(0444));
  EXPECT_FALSE(DeleteFileA("C:\\Data\\a.txt"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(fs::exists(root_ / "Data" / "a.txt"));
}

TEST_F(Folders, DeletingALinkKeepsItsTarget) {
  fs::create_symlink(root_ / "Data" / "a.txt", root_ / "Data" / "link");
  EXPECT_TRUE(DeleteFileA("C:\\Data\\link"));
  EXPECT_TRUE(fs::exists(root_ / "Data" / "a.txt"));
}

TEST_F(Folders, ProgramWindowsAndSystemFolders) {
  fs::create_directories(root_ / "Prog");
  platform::SetProgramHostFolder((root_ / "Prog").string());
  const std::string module = GetModuleFileNameA();
  EXPECT_EQ(module.rfind("C:\\Prog\\", 0), 0u) << module;
  EXPECT_EQ(module.find('\\', 8), std::string::npos);
  EXPECT_EQ(GetWindowsDirectoryA(), "C:\\Prog\\Windows");
  EXPECT_EQ(GetSystemDirectoryA(), "C:\\Prog\\Windows\\System32");
  platform::SetProgramHostFolder(root_.string());
  EXPECT_EQ(GetWindowsDirectoryA(), "C:\\Windows");
}

}  // namespace
