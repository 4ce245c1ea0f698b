#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/FolderNameCache.h"
#include "platform/system/CaseFold.h"
#include "tests/platform/operations/FileOpsSupport.h"

namespace {

using namespace fileops_test;

// What a fresh read of the folder answers: the look-up's rules written out
// plainly, to hold the kept names against.
std::optional<std::string> ScanFor(const fs::path& folder, const std::string& name) {
  if (Exists(folder / name)) return name;
  std::optional<std::string> best;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string candidate = entry.path().filename().string();
    if (candidate.find('\\') != std::string::npos) continue;
    if (platform::FoldCase(candidate) == platform::FoldCase(name) && (!best || candidate < *best)) best = candidate;
  }
  return best;
}

void Touch(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0) << path;
  ::close(fd);
}

class FolderNames : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing_support::FreshFolder("foldernames");
    c_ = base_ / "c";
    dst_ = c_ / "Dst";
    fs::create_directories(c_ / "Src");
    fs::create_directories(dst_);
    WriteFile(c_ / "Src" / "a.txt", "alpha");
    platform::SetDriveMap({{'C', c_.string(), 3}});
  }
  void TearDown() override {
    platform::UseDefaultDriveMap();
    fs::remove_all(base_);
  }
  std::optional<std::string> LookUp(const std::string& name) { return platform::LookUpName(dst_.string(), name); }
  // Looks a name up once so that the folder's names are kept; false where
  // the file system is not one whose names are kept.
  bool Keep() {
    LookUp("no such name");
    return platform::FolderNamesKept(dst_.string());
  }
  fs::path base_, c_, dst_;
};

TEST_F(FolderNames, AnswersAsAScanDoes) {
  // Characters outside ASCII that fold into it, full folds that change the
  // length, case twins, and a name that is not UTF-8.
  const char* entries[] = {"README",
                           "Readme",
                           "ReadMe",
                           "\xE2\x84\xAA.txt" /* KELVIN SIGN */,
                           "\xC5\xBF"
                           "ecret" /* LONG S */,
                           "Stra\xC3\x9F"
                           "e",
                           "\xC3\x84pfel",
                           "caf\xE9",
                           "back\\slash"};
  for (const char* entry : entries) Touch(dst_ / entry);
  struct Case {
    const char* name;
    std::optional<std::string> found;
  };
  const Case cases[] = {
      {"readme", "README"},  // the first twin in byte order
      {"Readme", "Readme"},  // the exact spelling first
      {"k.txt", "\xE2\x84\xAA.txt"},
      {"K.TXT", "\xE2\x84\xAA.txt"},
      {"SECRET",
       "\xC5\xBF"
       "ecret"},
      {"STRASSE",
       "Stra\xC3\x9F"
       "e"},
      {"\xC3\xA4PFEL", "\xC3\x84pfel"},
      {"CAF\xE9", "caf\xE9"},  // a byte that is not UTF-8 stays, the rest folds
      {"CAFE\xCC", std::nullopt},
      {"BACK\\SLASH", std::nullopt},
      {"missing", std::nullopt},
  };
  for (int round = 0; round < 2; ++round) {  // read, then kept
    for (const Case& c : cases) {
      EXPECT_EQ(LookUp(c.name), c.found) << c.name << " round " << round;
      EXPECT_EQ(LookUp(c.name), ScanFor(dst_, c.name)) << c.name;
    }
  }
}

TEST_F(FolderNames, SeesWhatOthersChangeBehindIt) {
  if (!Keep()) GTEST_SKIP() << "folder names are not kept on this file system";
  struct Change {
    const char* what;
    std::function<void()> make;
    const char* name;
    std::optional<std::string> found;
  };
  const fs::path dst = dst_;
  const Change changes[] = {
      {"another process creates",
       [&] { ASSERT_EQ(std::system(("touch '" + (dst / "Made.TXT").string() + "'").c_str()), 0); }, "made.txt",
       "Made.TXT"},
      {"another thread creates a twin", [&] { std::thread([&] { Touch(dst / "MADE.txt"); }).join(); }, "made.txt",
       "MADE.txt"},
      {"another process renames",
       [&] {
         ASSERT_EQ(std::system(("mv '" + (dst / "MADE.txt").string() + "' '" + (dst / "gone").string() + "'").c_str()),
                   0);
       },
       "made.txt", "Made.TXT"},
      {"a child process deletes",
       [&] {
         const pid_t pid = ::fork();
         if (pid == 0) _exit(::unlink((dst / "Made.TXT").c_str()) == 0 ? 0 : 1);
         int status = 0;
         ::waitpid(pid, &status, 0);
         ASSERT_EQ(status, 0);
       },
       "made.txt", std::nullopt},
      {"a Kelvin sign arrives", [&] { Touch(dst / "\xE2\x84\xAA"); }, "K", "\xE2\x84\xAA"},
  };
  for (const Change& change : changes) {
    change.make();
    EXPECT_EQ(LookUp(change.name), change.found) << change.what;
    EXPECT_TRUE(platform::FolderNamesKept(dst_.string())) << change.what;
  }
}

TEST_F(FolderNames, SeesChangesThatLeaveTheFolderTimesAsTheyWere) {
  if (!Keep()) GTEST_SKIP() << "folder names are not kept on this file system";
  // Changes close together fall within one tick of the file system's clock
  // and often leave the folder's times as the last look-up saw them.
  for (int n = 0; n < 200; ++n) {
    const std::string name = "Quick" + std::to_string(n);
    ASSERT_EQ(LookUp("QUICK" + std::to_string(n)), std::nullopt);
    Touch(dst_ / name);
    ASSERT_EQ(LookUp("quick" + std::to_string(n)), name);
  }
  // A program may also put the modification time back.
  struct stat before {};
  ASSERT_EQ(::stat(dst_.c_str(), &before), 0);
  Touch(dst_ / "Late.txt");
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, dst_.c_str(), times, 0), 0);
  EXPECT_EQ(LookUp("LATE.TXT"), "Late.txt");
}

TEST_F(FolderNames, AFolderMadeAnewIsReadAnew) {
  Touch(dst_ / "Old.txt");
  EXPECT_EQ(LookUp("old.txt"), "Old.txt");
  // The same path, and on many file systems the same inode number again.
  fs::remove_all(dst_);
  fs::create_directories(dst_);
  Touch(dst_ / "New.txt");
  EXPECT_EQ(LookUp("old.txt"), std::nullopt);
  EXPECT_EQ(LookUp("new.txt"), "New.txt");
  // Renamed away, with another folder put in its place.
  fs::rename(dst_, c_ / "Away");
  fs::create_directories(dst_);
  Touch(dst_ / "Other.txt");
  EXPECT_EQ(LookUp("new.txt"), std::nullopt);
  EXPECT_EQ(LookUp("OTHER.TXT"), "Other.txt");
  EXPECT_EQ(platform::LookUpName((c_ / "Away").string(), "NEW.TXT"), "New.txt");
}

TEST_F(FolderNames, OwnOperationsAreSeenInEveryCase) {
  Keep();
  ASSERT_EQ(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\New.Txt", kFileFlags).result, 0);
  EXPECT_EQ(platform::HostPath("C:\\Dst\\NEW.TXT"), (dst_ / "New.Txt").string());
  // Taken ignoring case: a copy to another spelling gets a collision name.
  ASSERT_EQ(Shell(FO_COPY, "C:\\Src\\a.txt", "C:\\Dst\\new.txt", kFileFlags).result, 0);
  EXPECT_EQ(Names(dst_), "New.Txt | new (copy 1).txt");
  ASSERT_EQ(Shell(FO_RENAME, "C:\\Dst\\NEW.TXT", "C:\\Dst\\Renamed.txt", 0).result, 0);
  EXPECT_EQ(LookUp("new.txt"), std::nullopt);
  EXPECT_EQ(LookUp("RENAMED.TXT"), "Renamed.txt");
  ASSERT_EQ(Shell(FO_DELETE, "C:\\Dst\\renamed.TXT", "", kDeleteFlags).result, 0);
  EXPECT_EQ(LookUp("renamed.txt"), std::nullopt);
  EXPECT_EQ(Names(dst_), "new (copy 1).txt");
}

TEST_F(FolderNames, ManyChangesFromBothSidesAcrossManyFolders) {
  // More folders than are kept, changed by file operations and behind their
  // back in turn; every answer must be the one a fresh read gives.
  std::vector<fs::path> folders;
  for (int n = 0; n < 6; ++n) {
    folders.push_back(c_ / ("F" + std::to_string(n)));
    fs::create_directories(folders.back());
  }
  const std::vector<std::string> pool = {"a.txt", "A.TXT", "A.txt", "k", "K", "\xE2\x84\xAA", "s", "S", "\xC5\xBF"};
  std::mt19937 random(20240611);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int step = 0; step < 400; ++step) {
    const std::size_t f = pick(folders.size());
    const fs::path& folder = folders[f];
    const std::string name = pool[pick(pool.size())];
    const std::string drive = "C:\\F" + std::to_string(f) + "\\";
    switch (pick(4)) {
      case 0: Touch(folder / name); break;
      case 1: ::unlink((folder / name).c_str()); break;
      case 2: ::rename((folder / name).c_str(), (folder / pool[pick(pool.size())]).c_str()); break;
      default: Shell(FO_COPY, "C:\\Src\\a.txt", drive + name, kFileFlags); break;
    }
    const std::string probe = pool[pick(pool.size())];
    ASSERT_EQ(platform::LookUpName(folder.string(), probe), ScanFor(folder, probe)) << "step " << step;
  }
}

}  // namespace
