#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <filesystem>
#include <functional>

#include "platform/drives/DriveMap.h"
#include "platform/files/FileAttributes.h"
#include "platform/system/LastError.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::SetDosAttrib;
using testing_support::WriteFile;

std::string StoredText(const fs::path& path) {
  char value[64];
  const ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof value);
  return n < 0 ? std::string("(none)") : std::string(value, static_cast<std::size_t>(n));
}

class FileAttributes : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("attributes");
    WriteFile(root_ / "File.txt");
    WriteFile(root_ / ".profile");
    fs::create_directories(root_ / "Folder");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override { platform::UseDefaultDriveMap(); }
  fs::path root_;
};

TEST_F(FileAttributes, WithoutTheExtendedAttribute) {
  EXPECT_EQ(GetFileAttributesA("C:\\file.TXT"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesA("C:\\.profile"), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(GetFileAttributesA("C:\\folder"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("C:\\"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("C:\\missing"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("Q:\\x"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileAttributes, RoundTrip) {
  struct Case {
    const char* path;
    std::uint32_t set;
    std::uint32_t got;
    const char* stored;  // the extended attribute afterwards
  };
  const Case cases[] = {
      {"C:\\File.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0x06, "0x6"},
      {"C:\\File.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 0x22, "0x22"},
      {"C:\\File.txt", FILE_ATTRIBUTE_NORMAL, 0x00, "0x0"},
      {"C:\\File.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, 0x21, "0x20"},
      // A read-only file changes its stored bits too, and stays read-only.
      {"C:\\File.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 0x03, "0x2"},
      {"C:\\File.txt", FILE_ATTRIBUTE_HIDDEN, 0x02, "0x2"},
      {"C:\\File.txt", FILE_ATTRIBUTE_ARCHIVE, 0x20, "0x20"},
      {"C:\\Folder", FILE_ATTRIBUTE_HIDDEN, 0x12, "0x2"},
      {"C:\\Folder", FILE_ATTRIBUTE_DIRECTORY, 0x10, "0x0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.set));
    ASSERT_TRUE(SetFileAttributesA(c.path, c.set));
    EXPECT_EQ(GetFileAttributesA(c.path), c.got);
    EXPECT_EQ(StoredText(root_ / fs::path(c.path + 3)), c.stored);
  }
}

TEST_F(FileAttributes, ReadOnlyIsTheOwnersWritePermission) {
  ASSERT_TRUE(SetFileAttributesA("C:\\File.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(fs::status(root_ / "File.txt").permissions() & fs::perms::owner_write, fs::perms::none);
  // Only archive, as a file without the extended attribute shows: none is written.
  EXPECT_EQ(StoredText(root_ / "File.txt"), "(none)");
  ASSERT_TRUE(SetFileAttributesA("C:\\File.txt", FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_NE(fs::status(root_ / "File.txt").permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(root_ / "File.txt", fs::perms(0444));
  EXPECT_EQ(GetFileAttributesA("C:\\File.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(FileAttributes, DotNameStaysHidden) {
  EXPECT_FALSE(SetFileAttributesA("C:\\.profile", FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  ASSERT_TRUE(SetFileAttributesA("C:\\.profile", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(StoredText(root_ / ".profile"), "(none)");
}

TEST_F(FileAttributes, OtherProgramsRecordsAreRead) {
  // The binary record other programs write starts with the same text.
  const char record[] = "0x22\0\x03\x00\x03\x00";
  ASSERT_EQ(::setxattr((root_ / "File.txt").c_str(), "user.DOSATTRIB", record, sizeof record - 1, 0), 0);
  EXPECT_EQ(GetFileAttributesA("C:\\File.txt"), 0x22u);
  ASSERT_TRUE(SetDosAttrib(root_ / "File.txt", "junk"));
  EXPECT_EQ(GetFileAttributesA("C:\\File.txt"), FILE_ATTRIBUTE_ARCHIVE);
}

TEST_F(FileAttributes, StatusOfFileAndFolder) {
  WriteFile(root_ / "ten.bin", "0123456789");
  const auto status = platform::GetFileStatus("C:\\TEN.bin");
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(status->size, 10u);
  EXPECT_EQ(status->attributes, FILE_ATTRIBUTE_ARCHIVE);
  struct stat st {};
  ASSERT_EQ(::stat((root_ / "ten.bin").c_str(), &st), 0);
  EXPECT_EQ(platform::UnixSecondsFromFileTime(status->lastWriteTime), st.st_mtime);
  EXPECT_EQ(platform::UnixSecondsFromFileTime(status->lastAccessTime), st.st_atime);
  EXPECT_GT(status->creationTime.ticks, 0);
  EXPECT_EQ(platform::GetFileStatus("C:\\folder")->attributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_FALSE(platform::GetFileStatus("C:\\missing").has_value());
}

// Runs `body` in a child process with a mount namespace of its own; gives its
// exit status, or -1 when this process may not make one.
int InPrivateMountNamespace(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) _exit(77);
    _exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) == 77) return -1;
  return WEXITSTATUS(status);
}

TEST_F(FileAttributes, FileSystemWithoutExtendedAttributesReportsFailure) {
  const fs::path mountPoint = root_ / "ram";
  fs::create_directories(mountPoint);
  const int result = InPrivateMountNamespace([&] {
    // ramfs keeps no user extended attributes.
    if (::mount("none", mountPoint.c_str(), "ramfs", 0, nullptr) != 0) return 77;
    WriteFile(mountPoint / "f.txt");
    int failures = 0;
    if (GetFileAttributesA("C:\\ram\\f.txt") != FILE_ATTRIBUTE_ARCHIVE) failures |= 1;
    if (SetFileAttributesA("C:\\ram\\f.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE)) failures |= 2;
    if (GetLastError() != ERROR_NOT_SUPPORTED) failures |= 4;
    if (GetFileAttributesA("C:\\ram\\f.txt") != FILE_ATTRIBUTE_ARCHIVE) failures |= 8;
    // Read-only alone needs no extended attribute.
    if (!SetFileAttributesA("C:\\ram\\f.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)) failures |= 16;
    if (GetFileAttributesA("C:\\ram\\f.txt") != (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)) failures |= 32;
    return failures;
  });
  if (result < 0) GTEST_SKIP() << "may not mount a file system here";
  EXPECT_EQ(result, 0);
}

}  // namespace
