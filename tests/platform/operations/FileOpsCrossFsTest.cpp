#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>

#include "platform/drives/DriveMap.h"
#include "platform/operations/FileCopy.h"
#include "platform/operations/TreeCopier.h"
#include "platform/system/LastError.h"
#include "tests/platform/operations/FileOpsSupport.h"
#include "tests/support/PrivateHome.h"

namespace {

using namespace fileops_test;

// Mounts made here stay in a mount namespace of this test process alone, so
// they vanish with it whatever happens.
bool PrivateMounts() {
  static const bool ready =
      ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return ready;
}

// C: is a folder on the disk, D: a small RAM file system.
class FileOpsCrossFs : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing_support::FreshFolder("crossfs");
    c_ = base_ / "c";
    d_ = base_ / "d";
    fs::create_directories(c_);
    fs::create_directories(d_);
    if (!PrivateMounts() || ::mount("tmpfs", d_.c_str(), "tmpfs", 0, "size=4m,mode=0755") != 0)
      GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    mounted_ = true;
    platform::SetDriveMap({{'C', c_.string(), 3}, {'D', d_.string(), 6}});
  }
  void TearDown() override {
    platform::TreeCopier::AllowUnnamedFiles(true);
    platform::UseDefaultDriveMap();
    if (mounted_) ::umount2(d_.c_str(), MNT_DETACH);
    fs::remove_all(base_);
  }
  fs::path base_, c_, d_;
  bool mounted_ = false;
};

TEST_F(FileOpsCrossFs, MoveCopiesThenRemovesTheSource) {
  WriteFile(d_ / "Src" / "a.txt", std::string(100000, 'a'));
  WriteFile(d_ / "Src" / "sub" / "b.txt", "beta");
  fs::create_symlink("sub/b.txt", d_ / "Src" / "link");
  fs::permissions(d_ / "Src" / "a.txt", fs::perms(0600));
  const bool attributes = ::setxattr((d_ / "Src" / "a.txt").c_str(), "user.DOSATTRIB", "0x2", 3, 0) == 0;
  fs::create_directories(c_ / "Dst");

  ASSERT_FALSE(Shell(FO_MOVE, "D:\\Src\\a.txt", "C:\\Dst\\a.txt", kFileFlags).aborted);
  EXPECT_FALSE(Exists(d_ / "Src" / "a.txt"));
  EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), std::string(100000, 'a'));
  EXPECT_EQ(fs::status(c_ / "Dst" / "a.txt").permissions(), fs::perms(0600));
  if (attributes) {
    EXPECT_EQ(DosAttributes(c_ / "Dst" / "a.txt"), "0x2");
  }

  ASSERT_FALSE(Shell(FO_MOVE, "D:\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  EXPECT_FALSE(Exists(d_ / "Src"));
  EXPECT_EQ(Names(c_ / "Dst"), "Src | a.txt");
  EXPECT_EQ(ReadFile(c_ / "Dst" / "Src" / "sub" / "b.txt"), "beta");
  EXPECT_EQ(fs::read_symlink(c_ / "Dst" / "Src" / "link"), "sub/b.txt");
  EXPECT_EQ(Names(d_), "");  // no temporary name left behind

  // MoveFileA moves a file across, never a folder.
  EXPECT_TRUE(MoveFileA("C:\\Dst\\a.txt", "D:\\a.txt"));
  EXPECT_FALSE(MoveFileA("C:\\Dst\\Src", "D:\\Src"));
  EXPECT_EQ(Names(d_), "a.txt");
  EXPECT_EQ(Names(c_ / "Dst"), "Src");
}

unsigned long FreeBlocks(const fs::path& path) {
  struct statvfs st {};
  return ::statvfs(path.c_str(), &st) == 0 ? st.f_bfree : 0;
}

// Whether the copy goes into an unnamed file or under a temporary name, a
// full disk leaves no name behind, and no space held by a file still open.
TEST_F(FileOpsCrossFs, ACopyThatDoesNotFitLeavesNothingBehind) {
  const std::string big(6 << 20, 'x');  // more than D: holds
  WriteFile(c_ / "Src" / "big.bin", big);
  WriteFile(c_ / "Src" / "small.txt", "small");
  const unsigned long free = FreeBlocks(d_);
  for (const bool unnamed : {true, false}) {
    platform::TreeCopier::AllowUnnamedFiles(unnamed);
    struct Case {
      unsigned function;
      const char* from;
      const char* to;
      unsigned flags;
    };
    for (const Case& c : std::vector<Case>{
             {FO_COPY, "C:\\Src\\big.bin", "D:\\big.bin", kFileFlags},
             {FO_MOVE, "C:\\Src\\big.bin", "D:\\big.bin", kFileFlags},
             {FO_COPY, "C:\\Src\\", "D:\\", kFolderFlags},
             {FO_MOVE, "C:\\Src\\", "D:\\", kFolderFlags},
         }) {
      const Outcome outcome = Shell(c.function, c.from, c.to, c.flags);
      EXPECT_NE(outcome.result, 0) << c.from;
      EXPECT_TRUE(outcome.aborted) << c.from;
      EXPECT_EQ(Names(d_), "") << c.from;
      EXPECT_EQ(ReadFile(c_ / "Src" / "big.bin"), big) << c.from;
      EXPECT_EQ(Names(c_ / "Src"), "big.bin | small.txt") << c.from;
      EXPECT_EQ(FreeBlocks(d_), free) << c.from;
    }
    EXPECT_FALSE(CopyFileA("C:\\Src\\big.bin", "D:\\big.bin", true));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_FALSE(CopyFileA("C:\\Src\\big.bin", "D:\\big.bin", false));
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_FALSE(MoveFileA("C:\\Src\\big.bin", "D:\\big.bin"));
    EXPECT_EQ(Names(d_), "");
    EXPECT_EQ(FreeBlocks(d_), free);
    EXPECT_EQ(ReadFile(c_ / "Src" / "big.bin"), big);
  }
}

// A small file is made under its own name: where it does not fit, that
// name goes again, and nothing of it holds any space.
TEST_F(FileOpsCrossFs, ASmallCopyThatDoesNotFitLeavesNoNameEither) {
  const std::string middling(768 << 10, 'm');
  ASSERT_LE(static_cast<long long>(middling.size()), platform::TreeCopier::kLargestSmallFile);
  WriteFile(c_ / "Src" / "middling.bin", middling);
  struct statvfs st {};
  ASSERT_EQ(::statvfs(d_.c_str(), &st), 0);
  // Leaves D: less room than the file needs.
  WriteFile(d_ / "filler", std::string(st.f_bavail * st.f_frsize - (256 << 10), 'f'));
  const unsigned long free = FreeBlocks(d_);
  const Outcome outcome = Shell(FO_COPY, "C:\\Src\\middling.bin", "D:\\middling.bin", kFileFlags);
  EXPECT_NE(outcome.result, 0);
  EXPECT_TRUE(outcome.aborted);
  EXPECT_EQ(Names(d_), "filler");
  EXPECT_EQ(FreeBlocks(d_), free);
  EXPECT_EQ(ReadFile(c_ / "Src" / "middling.bin"), middling);
}

TEST_F(FileOpsCrossFs, RecycleNeverFallsBackToDeleting) {
  WriteFile(d_ / "a.txt", "alpha");
  ASSERT_EQ(::mount(nullptr, d_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  const Outcome outcome = Shell(FO_DELETE, "D:\\a.txt", "", kRecycleFlags);
  EXPECT_NE(outcome.result, 0);
  EXPECT_TRUE(outcome.aborted);
  EXPECT_EQ(ReadFile(d_ / "a.txt"), "alpha");
}

TEST_F(FileOpsCrossFs, DeleteNeverEmptiesAMountedFileSystem) {
  WriteFile(d_ / "keep.txt", "keep");
  fs::create_directories(c_ / "media" / "disk");
  ASSERT_EQ(::mount(d_.c_str(), (c_ / "media" / "disk").c_str(), nullptr, MS_BIND, nullptr), 0);
  EXPECT_TRUE(Shell(FO_DELETE, "C:\\media", "", kDeleteFlags).aborted);
  EXPECT_TRUE(Shell(FO_DELETE, "C:\\media\\disk", "", kDeleteFlags).aborted);
  ::umount2((c_ / "media" / "disk").c_str(), MNT_DETACH);
  EXPECT_EQ(ReadFile(d_ / "keep.txt"), "keep");
}

}  // namespace
