#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/operations/CopyName.h"
#include "platform/operations/FileCopy.h"
#include "platform/operations/KeepFoldersOpen.h"
#include "platform/operations/TreeCopier.h"
#include "platform/system/LastError.h"
#include "tests/platform/operations/FileOpsSupport.h"
#include "tests/support/PrivateHome.h"

namespace {

using namespace fileops_test;

class FileOps : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing_support::FreshFolder("fileops");
    c_ = base_ / "c";
    outside_ = base_ / "outside";
    fs::create_directories(c_ / "Src" / "sub");
    fs::create_directories(c_ / "Dst");
    fs::create_directories(outside_);
    WriteFile(c_ / "Src" / "a.txt", "alpha");
    WriteFile(c_ / "Src" / "sub" / "b.txt", "beta");
    WriteFile(outside_ / "secret.txt", "secret");
    // D: is a folder inside C:, as a second drive mapped below the first.
    fs::create_directories(c_ / "dee");
    platform::SetDriveMap({{'C', c_.string(), 3}, {'D', (c_ / "dee").string(), 3}});
  }
  void TearDown() override {
    platform::TreeCopier::AllowUnnamedFiles(true);
    platform::TreeCopier::SetLargestSmallFile(platform::TreeCopier::kLargestSmallFile);
    platform::TreeCopier::SetBeforeNaming(nullptr);
    platform::UseDefaultDriveMap();
    fs::remove_all(base_);
  }
  fs::path base_, c_, outside_;
};

// Before-naming hooks: one counts the names given, one takes the name first
// (another program writing it between our check and our naming).
int namesSeen = 0;
int namesToTake = 0;
void CountName(int, const char*) { ++namesSeen; }

// The three ways a file is copied: a small file made under its name, a
// larger one into an unnamed file linked in, and where the file system has
// no unnamed files, under a temporary name renamed into place.
enum class Way { kNamed, kUnnamed, kTemporary };
const Way kWays[] = {Way::kNamed, Way::kUnnamed, Way::kTemporary};
const char* WayName(Way way) { return way == Way::kNamed ? "named" : (way == Way::kUnnamed ? "unnamed" : "temporary"); }
void CopyEveryFileThe(Way way) {
  platform::TreeCopier::SetLargestSmallFile(way == Way::kNamed ? platform::TreeCopier::kLargestSmallFile : -1);
  platform::TreeCopier::AllowUnnamedFiles(way == Way::kUnnamed);
}
void TakeNameFirst(int folder, const char* name) {
  if (namesToTake-- <= 0) return;
  const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    (void)!::write(fd, "theirs", 6);
    ::close(fd);
  }
}

TEST(CollisionName, KeepsTheExtensionLast) {
  struct Case {
    const char* name;
    bool folder;
    int number;
    const char* expected;
  };
  for (const Case& c : std::vector<Case>{
           {"a.txt", false, 1, "a (copy 1).txt"},
           {"a.txt", false, 2, "a (copy 2).txt"},
           {"README", false, 1, "README (copy 1)"},
           {".bashrc", false, 1, ".bashrc (copy 1)"},
           {".notes.txt", false, 1, ".notes (copy 1).txt"},
           {"a.", false, 3, "a. (copy 3)"},
           {"src.tar.gz", false, 1, "src (copy 1).tar.gz"},
           {"photos.2023", true, 1, "photos.2023 (copy 1)"},
       })
    EXPECT_EQ(platform::CollisionName(c.name, c.folder, c.number), c.expected) << c.name;
}

TEST_F(FileOps, PasteOfFiles) {
  struct Case {
    const char* what;
    unsigned function;
    const char* to;
    const char* existing;  // a file already in Dst, or nullptr
    const char* src;       // names left in Src afterwards
    const char* dst;       // names in Dst afterwards
  };
  for (const Case& c : std::vector<Case>{
           {"copy", FO_COPY, "C:\\Dst\\a.txt", nullptr, "a.txt | sub", "a.txt"},
           {"move", FO_MOVE, "C:\\Dst\\a.txt", nullptr, "sub", "a.txt"},
           {"copy onto a taken name", FO_COPY, "C:\\Dst\\a.txt", "a.txt", "a.txt | sub", "a (copy 1).txt | a.txt"},
           {"move onto a taken name", FO_MOVE, "C:\\Dst\\a.txt", "a.txt", "sub", "a (copy 1).txt | a.txt"},
           {"second copy", FO_COPY, "C:\\Dst\\a.txt", "a (copy 1).txt", "a.txt | sub", "a (copy 1).txt | a.txt"},
           {"copy into its own folder", FO_COPY, "C:\\Src\\a.txt", nullptr, "a (copy 1).txt | a.txt | sub", ""},
           {"move into its own folder", FO_MOVE, "C:\\Src\\a.txt", nullptr, "a.txt | sub", ""},
       }) {
    SetUp();
    if (c.existing) WriteFile(c_ / "Dst" / c.existing, "old");
    const Outcome outcome = Shell(c.function, "C:\\Src\\a.txt", c.to, kFileFlags);
    EXPECT_EQ(outcome.result, 0) << c.what;
    EXPECT_FALSE(outcome.aborted) << c.what;
    EXPECT_EQ(Names(c_ / "Src"), c.src) << c.what;
    EXPECT_EQ(Names(c_ / "Dst"), c.dst) << c.what;
    if (c.existing) {
      EXPECT_EQ(ReadFile(c_ / "Dst" / c.existing), "old") << c.what;
    }
  }
}

TEST_F(FileOps, NamesTakenIgnoringCase) {
  WriteFile(c_ / "Dst" / "A.TXT", "old");
  if (platform::HostPath("C:\\Dst\\a.txt") != (c_ / "Dst" / "A.TXT").string())
    GTEST_SKIP() << "the drive map does not match names ignoring case";
  EXPECT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", kFileFlags).aborted);
  EXPECT_EQ(Names(c_ / "Dst"), "A.TXT | a (copy 1).txt");
  EXPECT_TRUE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", FOF_SILENT).aborted);
  EXPECT_TRUE(CopyFileA("C:\\Src\\a.txt", "C:\\Dst\\a.txt", false));
  EXPECT_EQ(Names(c_ / "Dst"), "A.TXT | a (copy 1).txt");
  EXPECT_EQ(ReadFile(c_ / "Dst" / "A.TXT"), "alpha");
}

// Folders are opened as spelled first; one spelled in another case is
// still found, and a drive whose root is a link still holds its items.
TEST_F(FileOps, FoldersInAnotherCaseAndRootsThroughLinks) {
  fs::create_directory_symlink(outside_, base_ / "elink");
  platform::SetDriveMap({{'C', c_.string(), 3}, {'E', (base_ / "elink").string(), 3}});
  fs::create_symlink(base_, c_ / "Dst" / "up");
  EXPECT_FALSE(Shell(FO_COPY, "E:\\secret.txt", "C:\\Dst\\", kFileFlags).aborted);
  EXPECT_EQ(ReadFile(c_ / "Dst" / "secret.txt"), "secret");
  EXPECT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "E:\\", kFileFlags).aborted);
  EXPECT_EQ(Names(outside_), "a.txt | secret.txt");
  // The folder above the drives is in none of them.
  EXPECT_TRUE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\up\\", kFileFlags).aborted);
  EXPECT_EQ(Names(base_), "c | elink | outside");
  if (platform::HostPath("C:\\SRC\\SUB\\") != (c_ / "Src" / "sub").string())
    GTEST_SKIP() << "the drive map does not match names ignoring case";
  EXPECT_FALSE(Shell(FO_COPY, "C:\\SRC\\SUB\\b.txt", "C:\\dst\\", kFileFlags).aborted);
  EXPECT_EQ(ReadFile(c_ / "Dst" / "b.txt"), "beta");
}

TEST_F(FileOps, NothingIsReplacedWithoutRenameOnCollision) {
  WriteFile(c_ / "Dst" / "a.txt", "old");
  for (unsigned function : {FO_COPY, FO_MOVE}) {
    const Outcome outcome = Shell(function, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", FOF_SILENT);
    EXPECT_NE(outcome.result, 0);
    EXPECT_TRUE(outcome.aborted);
  }
  EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), "old");
  EXPECT_EQ(ReadFile(c_ / "Src" / "a.txt"), "alpha");
  EXPECT_EQ(Names(c_ / "Dst"), "a.txt");
}

TEST_F(FileOps, CopyKeepsModeTimeAttributesAndLinks) {
  const fs::path a = c_ / "Src" / "a.txt";
  ASSERT_EQ(::setxattr(a.c_str(), "user.DOSATTRIB", "0x22", 4, 0), 0);
  fs::permissions(a, fs::perms(0640));
  const struct timespec old[2] = {{1000000000, 0}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, a.c_str(), old, 0), 0);
  fs::create_symlink("../../../outside", c_ / "Src" / "sub" / "out");
  fs::permissions(c_ / "Src" / "sub", fs::perms(0555));

  ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  const fs::path copy = c_ / "Dst" / "Src";
  EXPECT_EQ(Names(copy), "a.txt | sub");
  EXPECT_EQ(ReadFile(copy / "a.txt"), "alpha");
  EXPECT_EQ(DosAttributes(copy / "a.txt"), "0x22");
  EXPECT_EQ(fs::status(copy / "a.txt").permissions(), fs::perms(0640));
  struct stat st {};
  ASSERT_EQ(::stat((copy / "a.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
  EXPECT_EQ(fs::status(copy / "sub").permissions(), fs::perms(0555));
  EXPECT_TRUE(fs::is_symlink(copy / "sub" / "out"));
  EXPECT_EQ(fs::read_symlink(copy / "sub" / "out"), "../../../outside");
  fs::permissions(c_ / "Src" / "sub", fs::perms(0755));
  fs::permissions(copy / "sub", fs::perms(0755));
}

// Whichever way a file is copied, the copy is the same, and no temporary
// is left. A mode the umask would narrow is set whole all the same.
TEST_F(FileOps, FilePasteKeepsModeTimeAndAttributesEveryWay) {
  const fs::path a = c_ / "Src" / "a.txt";
  const bool attributes = ::setxattr(a.c_str(), "user.DOSATTRIB", "0x22", 4, 0) == 0;
  fs::permissions(a, fs::perms(0640));
  const struct timespec old[2] = {{1000000000, 0}, {1000000000, 123456789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, a.c_str(), old, 0), 0);
  fs::create_symlink("a.txt", c_ / "Src" / "link");
  WriteFile(c_ / "Src" / "empty.txt", "");
  WriteFile(c_ / "Src" / "wide.txt", "wide");
  fs::permissions(c_ / "Src" / "wide.txt", fs::perms(0666));
  const mode_t umask = ::umask(022);
  for (const Way way : kWays) {
    fs::remove_all(c_ / "Dst");
    fs::create_directories(c_ / "Dst");
    CopyEveryFileThe(way);
    platform::TreeCopier::SetBeforeNaming(CountName);
    namesSeen = 0;
    for (const char* name : {"a.txt", "a.txt", "link", "empty.txt", "wide.txt"})
      ASSERT_FALSE(Shell(FO_COPY, std::string("C:\\Src\\") + name, std::string("C:\\Dst\\") + name, kFileFlags).aborted)
          << name << " " << WayName(way);
    // One per name tried (the second a.txt tries two); a link goes by a
    // temporary name.
    EXPECT_EQ(namesSeen, way == Way::kTemporary ? 0 : 5) << WayName(way);
    EXPECT_EQ(Names(c_ / "Dst"), "a (copy 1).txt | a.txt | empty.txt | link | wide.txt") << WayName(way);
    for (const char* name : {"a.txt", "a (copy 1).txt"}) {
      const fs::path copy = c_ / "Dst" / name;
      EXPECT_EQ(ReadFile(copy), "alpha");
      EXPECT_EQ(fs::status(copy).permissions(), fs::perms(0640)) << WayName(way);
      struct stat st {};
      ASSERT_EQ(::stat(copy.c_str(), &st), 0);
      EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
      EXPECT_EQ(st.st_mtim.tv_nsec, 123456789);
      if (attributes) {
        EXPECT_EQ(DosAttributes(copy), "0x22");
      }
    }
    EXPECT_EQ(ReadFile(c_ / "Dst" / "empty.txt"), "");
    EXPECT_EQ(fs::status(c_ / "Dst" / "wide.txt").permissions(), fs::perms(0666)) << WayName(way);
    EXPECT_EQ(fs::read_symlink(c_ / "Dst" / "link"), "a.txt");
  }
  ::umask(umask);
}

// Another program may take the name after it was found free: the copy then
// fails rather than replace its file, and a paste takes the next free name.
TEST_F(FileOps, ANameTakenBeforeItIsGivenIsNeverReplaced) {
  for (const Way way : {Way::kNamed, Way::kUnnamed}) {
    fs::remove_all(c_ / "Dst");
    fs::create_directories(c_ / "Dst");
    CopyEveryFileThe(way);
    platform::TreeCopier::SetBeforeNaming(TakeNameFirst);
    namesToTake = 1;
    const Outcome refused = Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", FOF_SILENT);
    EXPECT_EQ(refused.result, static_cast<int>(ERROR_ALREADY_EXISTS)) << WayName(way);
    EXPECT_TRUE(refused.aborted);
    EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), "theirs");
    EXPECT_EQ(Names(c_ / "Dst"), "a.txt") << WayName(way);

    fs::remove(c_ / "Dst" / "a.txt");
    namesToTake = 1;
    ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", kFileFlags).aborted);
    EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), "theirs");
    EXPECT_EQ(ReadFile(c_ / "Dst" / "a (copy 1).txt"), "alpha") << WayName(way);
    EXPECT_EQ(Names(c_ / "Dst"), "a (copy 1).txt | a.txt");
  }
}

TEST_F(FileOps, PasteOfAFolderGoesInsideUnderItsName) {
  ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  EXPECT_EQ(Names(c_ / "Dst"), "Src | Src (copy 1)");
  EXPECT_EQ(ReadFile(c_ / "Dst" / "Src (copy 1)" / "sub" / "b.txt"), "beta");
  // A move never merges into the folder of the same name either.
  ASSERT_FALSE(Shell(FO_MOVE, "C:\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  EXPECT_EQ(Names(c_ / "Dst"), "Src | Src (copy 1) | Src (copy 2)");
  EXPECT_EQ(ReadFile(c_ / "Dst" / "Src (copy 2)" / "a.txt"), "alpha");
  EXPECT_FALSE(Exists(c_ / "Src"));
  // Into the folder it is in: nothing to do.
  EXPECT_FALSE(Shell(FO_MOVE, "C:\\Dst\\Src\\", "C:\\Dst\\", kFolderFlags).aborted);
  EXPECT_EQ(Names(c_ / "Dst"), "Src | Src (copy 1) | Src (copy 2)");
}

TEST_F(FileOps, Refusals) {
  fs::create_symlink(outside_, c_ / "Dst" / "out");
  fs::create_symlink(outside_ / "secret.txt", c_ / "Dst" / "secret.txt");
  WriteFile(c_ / "Src" / "secret.txt", "mine");
  struct Case {
    unsigned function;
    const char* from;
    const char* to;
  };
  for (const Case& c : std::vector<Case>{
           {FO_COPY, "C:\\Src\\", "C:\\Src\\"},
           {FO_COPY, "C:\\Src\\", "C:\\Src\\sub\\"},
           {FO_MOVE, "C:\\Src\\", "C:\\Src\\sub\\"},
           {FO_COPY, "C:\\Src\\..\\..\\outside\\secret.txt", "C:\\Dst\\s.txt"},
           {FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\..\\..\\..\\outside\\a.txt"},
           {FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\x/../../a.txt"},
           {FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\out\\a.txt"},
           {FO_COPY, "C:\\Dst\\out\\secret.txt", "C:\\Dst\\s.txt"},
           {FO_COPY, "C:\\Src\\secret.txt", "C:\\Dst\\out\\"},
           {FO_COPY, "Q:\\a.txt", "C:\\Dst\\a.txt"},
           {FO_COPY, "C:Src\\a.txt", "C:\\Dst\\a.txt"},
           {FO_COPY, "C:\\", "C:\\Dst\\"},
           {FO_MOVE, "D:\\", "C:\\Dst\\"},
           {FO_COPY, "C:\\Src\\missing.txt", "C:\\Dst\\missing.txt"},
           {FO_DELETE, "C:", ""},
           {FO_DELETE, "C:\\", ""},
           {FO_DELETE, "C:\\dee", ""},
           {FO_DELETE, "C:\\Src\\..", ""},
           {FO_DELETE, "C:\\Dst\\out\\secret.txt", ""},
           {FO_RENAME, "C:\\Src\\a.txt", "C:\\Src\\sub"},
       }) {
    const Outcome outcome = Shell(c.function, c.from, c.to, c.function == FO_DELETE ? kDeleteFlags : kFolderFlags);
    EXPECT_NE(outcome.result, 0) << c.from << " -> " << c.to;
    EXPECT_TRUE(outcome.aborted) << c.from << " -> " << c.to;
  }
  EXPECT_EQ(Names(outside_), "secret.txt");
  EXPECT_EQ(ReadFile(outside_ / "secret.txt"), "secret");
  EXPECT_EQ(Names(c_ / "Dst"), "out | secret.txt");
  EXPECT_EQ(Names(c_ / "Src"), "a.txt | secret.txt | sub");
  EXPECT_TRUE(Exists(c_ / "dee"));
  // A link at the new name is a taken name, never a way out.
  ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\secret.txt", "C:\\Dst\\secret.txt", kFileFlags).aborted);
  EXPECT_EQ(ReadFile(c_ / "Dst" / "secret (copy 1).txt"), "mine");
  EXPECT_EQ(ReadFile(outside_ / "secret.txt"), "secret");
}

// Open folder descriptors pointing into a host folder.
int DescriptorsInto(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const fs::path target = fs::read_symlink(entry.path(), error);
    if (!error && target.string().rfind(folder.string(), 0) == 0) ++count;
  }
  return count;
}

TEST_F(FileOps, KeptFoldersAreOnlyTakenWhereTheirPathsStillLead) {
  {
    platform::KeepFoldersOpen keep;
    ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", kFileFlags).aborted);
    EXPECT_GT(DescriptorsInto(c_), 0);

    // Another program puts a new folder where the destination was.
    fs::rename(c_ / "Dst", c_ / "Dst-old");
    fs::create_directories(c_ / "Dst");
    ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\a.txt", kFileFlags).aborted);
    EXPECT_EQ(Names(c_ / "Dst"), "a.txt");
    EXPECT_EQ(Names(c_ / "Dst-old"), "a.txt");

    // ... or moves the destination off the drives and leaves a link to it.
    fs::rename(c_ / "Dst", outside_ / "Dst");
    fs::create_directory_symlink(outside_ / "Dst", c_ / "Dst");
    EXPECT_TRUE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\b.txt", kFileFlags).aborted);
    EXPECT_EQ(Names(outside_ / "Dst"), "a.txt");

    // A source folder swapped the same way is read where its path leads.
    fs::rename(c_ / "Src", c_ / "Src-old");
    fs::create_directories(c_ / "Src");
    WriteFile(c_ / "Src" / "a.txt", "new");
    ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst-old\\c.txt", kFileFlags).aborted);
    EXPECT_EQ(ReadFile(c_ / "Dst-old" / "c.txt"), "new");
  }
  // Nothing stays open once the paste is over (a removable drive could not
  // be unmounted otherwise).
  EXPECT_EQ(DescriptorsInto(c_), 0);
  EXPECT_EQ(DescriptorsInto(outside_), 0);
}

// What another program may do to the destination, or a folder above it,
// between two files of one paste; the second copy must land where the path
// leads by then, or be refused where that is off the drives. Each is tried
// with the kernel's change notices and with a look at every use.
TEST_F(FileOps, KeptFoldersFollowChangesAboveThem) {
  struct Change {
    const char* what;
    void (*make)(const fs::path& c, const fs::path& outside);
    bool refused;
  };
  const Change changes[] = {
      {"destination renamed, a new one in its place",
       [](const fs::path& c, const fs::path&) {
         fs::rename(c / "P" / "Dst", c / "P" / "Dst-old");
         fs::create_directories(c / "P" / "Dst");
       },
       false},
      {"the folder above renamed, a new one in its place",
       [](const fs::path& c, const fs::path&) {
         fs::rename(c / "P", c / "P-old");
         fs::create_directories(c / "P" / "Dst");
       },
       false},
      {"destination emptied, removed and made anew",
       [](const fs::path& c, const fs::path&) {
         fs::remove_all(c / "P" / "Dst");
         fs::create_directories(c / "P" / "Dst");
       },
       false},
      {"another folder moved over the emptied destination",
       [](const fs::path& c, const fs::path&) {
         fs::remove(c / "P" / "Dst" / "a.txt");
         fs::create_directories(c / "Other");
         fs::rename(c / "Other", c / "P" / "Dst");
       },
       false},
      {"the folder above moved off the drives behind a link",
       [](const fs::path& c, const fs::path& outside) {
         fs::rename(c / "P", outside / "P");
         fs::create_directory_symlink(outside / "P", c / "P");
       },
       true},
  };
  for (const bool notices : {true, false}) {
    platform::KeepFoldersOpen::UseChangeNotices(notices);
    for (const Change& change : changes) {
      const std::string label = std::string(change.what) + (notices ? " (notices)" : " (looked at)");
      for (const char* name : {"P", "P-old", "Other"}) fs::remove_all(c_ / name);
      fs::remove_all(outside_ / "P");
      fs::create_directories(c_ / "P" / "Dst");
      {
        platform::KeepFoldersOpen keep;
        ASSERT_FALSE(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\P\\Dst\\a.txt", kFileFlags).aborted) << label;
        change.make(c_, outside_);
        const Outcome second = Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\P\\Dst\\b.txt", kFileFlags);
        EXPECT_EQ(second.aborted, change.refused) << label;
      }
      if (change.refused) {
        EXPECT_EQ(Names(outside_ / "P" / "Dst"), "a.txt") << label;
      } else {
        EXPECT_EQ(ReadFile(c_ / "P" / "Dst" / "b.txt"), "alpha") << label;
      }
      EXPECT_EQ(DescriptorsInto(c_), 0) << label;
    }
  }
  platform::KeepFoldersOpen::UseChangeNotices(true);
}

TEST_F(FileOps, ListsOfPaths) {
  WriteFile(c_ / "Src" / "c.txt", "gamma");
  SHFILEOPSTRUCT op;
  op.wFunc = FO_COPY;
  op.pFrom = std::string("C:\\Src\\a.txt\0C:\\Src\\c.txt\0\0", 28);
  op.pTo = std::string("C:\\Dst\\a.txt\0C:\\Dst\\c.txt\0\0", 28);
  op.fFlags = kFileFlags;
  EXPECT_EQ(SHFileOperationA(&op), 0);
  EXPECT_EQ(Names(c_ / "Dst"), "a.txt | c.txt");
  op.pTo = std::string("C:\\Dst\\a.txt\0\0", 14);  // one destination for two sources
  EXPECT_NE(SHFileOperationA(&op), 0);
  EXPECT_TRUE(op.fAnyOperationsAborted);
  op.pFrom = std::string(2, '\0');
  EXPECT_NE(SHFileOperationA(&op), 0);
  EXPECT_TRUE(op.fAnyOperationsAborted);
  op.wFunc = FO_DELETE;
  op.fFlags = kDeleteFlags;
  op.pFrom = std::string("C:\\Dst\\a.txt\0C:\\Dst\\c.txt\0\0", 28);
  EXPECT_EQ(SHFileOperationA(&op), 0);
  EXPECT_FALSE(op.fAnyOperationsAborted);
  EXPECT_EQ(Names(c_ / "Dst"), "");
}

TEST_F(FileOps, DeleteForGoodNeverFollowsLinks) {
  fs::create_symlink(outside_, c_ / "Src" / "sub" / "out");
  EXPECT_FALSE(Shell(FO_DELETE, "C:\\Src\\a.txt", "", kDeleteFlags).aborted);
  EXPECT_FALSE(Shell(FO_DELETE, "C:\\Src", "", kDeleteFlags).aborted);
  EXPECT_FALSE(Exists(c_ / "Src"));
  EXPECT_EQ(Names(outside_), "secret.txt");
  EXPECT_TRUE(Shell(FO_DELETE, "C:\\Src", "", kDeleteFlags).aborted);
}

TEST_F(FileOps, RecycleGoesToTheTrashWithItsInfo) {
  const fs::path trash = fs::path(std::getenv("XDG_DATA_HOME")) / "Trash";
  ASSERT_EQ(trash.string().rfind(testing_support::PrivateHome(), 0), 0u);
  EXPECT_FALSE(Shell(FO_DELETE, "C:\\Src\\a.txt", "", kRecycleFlags).aborted);
  EXPECT_FALSE(Shell(FO_DELETE, "C:\\Src", "", kRecycleFlags).aborted);
  EXPECT_FALSE(Exists(c_ / "Src"));
  EXPECT_EQ(ReadFile(trash / "files" / "a.txt"), "alpha");
  EXPECT_EQ(ReadFile(trash / "files" / "Src" / "sub" / "b.txt"), "beta");
  const std::string info = ReadFile(trash / "info" / "a.txt.trashinfo");
  EXPECT_EQ(info.rfind("[Trash Info]\n", 0), 0u) << info;
  EXPECT_NE(info.find("Path=" + (c_ / "Src").string()), std::string::npos) << info;
  EXPECT_NE(info.find("DeletionDate="), std::string::npos) << info;
  EXPECT_TRUE(Exists(trash / "info" / "Src.trashinfo"));
  EXPECT_TRUE(Shell(FO_DELETE, "C:\\Src\\a.txt", "", kRecycleFlags).aborted);
}

TEST_F(FileOps, MoveFileAndCopyFile) {
  WriteFile(c_ / "Dst" / "a.txt", "old");
  EXPECT_FALSE(MoveFileA("C:\\Src\\a.txt", "C:\\Dst\\a.txt"));
  EXPECT_FALSE(CopyFileA("C:\\Src\\a.txt", "C:\\Dst\\a.txt", true));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), "old");
  EXPECT_FALSE(CopyFileA("C:\\Src\\sub", "C:\\Dst\\sub", true));
  EXPECT_TRUE(CopyFileA("C:\\Src\\a.txt", "C:\\Dst\\a.txt", false));
  EXPECT_EQ(ReadFile(c_ / "Dst" / "a.txt"), "alpha");
  EXPECT_FALSE(CopyFileA("C:\\Src\\a.txt", "C:\\Src\\sub", false));  // never over a folder
  EXPECT_TRUE(CopyFileA("C:\\Src\\a.txt", "C:\\Dst\\n.txt", true));
  EXPECT_TRUE(MoveFileA("C:\\Src\\sub", "C:\\Dst\\sub"));
  EXPECT_TRUE(MoveFileA("C:\\Src\\a.txt", "C:\\Dst\\m.txt"));
  EXPECT_EQ(Names(c_ / "Dst"), "a.txt | m.txt | n.txt | sub");
  EXPECT_EQ(Names(c_ / "Src"), "");
  EXPECT_FALSE(MoveFileA("C:\\Dst\\m.txt", "C:\\Dst\\..\\x.txt"));
}

}  // namespace
