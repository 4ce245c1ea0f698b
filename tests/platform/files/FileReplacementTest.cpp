#include "platform/files/FileReplacement.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "tests/support/NoFileOverrides.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::WriteFile;

class FileReplacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("replacement");
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(root_ / "ro", fs::perms::owner_all, ignored);
    platform::UseDefaultDriveMap();
  }
  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path root_;
};

TEST_F(FileReplacementTest, OnlyACommittedReplacementTakesTheFilesPlace) {
  WriteFile(root_ / "s.ini", "old");
  fs::permissions(root_ / "s.ini", fs::perms(0640));
  {
    auto abandoned = platform::FileReplacement::Begin("C:\\s.ini");
    ASSERT_NE(abandoned, nullptr);
    EXPECT_TRUE(abandoned->Write("half"));
    EXPECT_EQ(Names(root_).size(), 2u) << "the new file lies beside the old one";
  }
  EXPECT_EQ(ReadFile(root_ / "s.ini"), "old");
  EXPECT_EQ(Names(root_), std::vector<std::string>{"s.ini"});
  auto replacement = platform::FileReplacement::Begin("C:\\s.ini");
  ASSERT_NE(replacement, nullptr);
  EXPECT_TRUE(replacement->Write("ne"));
  EXPECT_TRUE(replacement->Write("w"));
  EXPECT_EQ(ReadFile(root_ / "s.ini"), "old");
  EXPECT_TRUE(replacement->Commit());
  replacement.reset();
  EXPECT_EQ(ReadFile(root_ / "s.ini"), "new");
  EXPECT_EQ(fs::status(root_ / "s.ini").permissions(), fs::perms(0640));
  EXPECT_EQ(Names(root_), std::vector<std::string>{"s.ini"});
}

TEST_F(FileReplacementTest, WhatIsNoWritableFileIsNotReplaced) {
  fs::create_directories(root_ / "dir");
  WriteFile(root_ / "r.ini", "old");
  fs::permissions(root_ / "r.ini", fs::perms(0444));
  for (const char* name : {"C:\\dir", "C:\\r.ini", "C:\\missing\\s.ini"}) {
    EXPECT_EQ(platform::FileReplacement::Begin(name), nullptr) << name;
    EXPECT_FALSE(platform::ReplaceFileContents(name, "new")) << name;
  }
  EXPECT_EQ(ReadFile(root_ / "r.ini"), "old");
  EXPECT_TRUE(fs::is_directory(root_ / "dir"));
}

// A symbolic link stays a link; the file it leads to gets the new text.
TEST_F(FileReplacementTest, LinksAreWrittenThroughToTheirTarget) {
  fs::create_directories(root_ / "conf");
  struct Case {
    const char* link;
    fs::path target;   // what the link says
    fs::path written;  // the file that gets the text
  };
  const Case cases[] = {
      {"relative.ini", "conf/a.ini", root_ / "conf/a.ini"},
      {"absolute.ini", root_ / "conf/b.ini", root_ / "conf/b.ini"},
      {"chain.ini", "relative.ini", root_ / "conf/a.ini"},
      {"dangling.ini", "conf/new.ini", root_ / "conf/new.ini"},
  };
  WriteFile(root_ / "conf/a.ini", "old a");
  WriteFile(root_ / "conf/b.ini", "old b");
  for (const Case& c : cases) fs::create_symlink(c.target, root_ / c.link);
  for (const Case& c : cases) {
    ASSERT_TRUE(platform::ReplaceFileContents(std::string("C:\\") + c.link, c.link)) << c.link;
    EXPECT_TRUE(fs::is_symlink(root_ / c.link)) << c.link;
    EXPECT_EQ(fs::read_symlink(root_ / c.link), c.target) << c.link;
    EXPECT_EQ(ReadFile(c.written), c.link) << c.link;
  }
  EXPECT_EQ(Names(root_ / "conf"), (std::vector<std::string>{"a.ini", "b.ini", "new.ini"}));
  fs::create_symlink("loop2.ini", root_ / "loop1.ini");
  fs::create_symlink("loop1.ini", root_ / "loop2.ini");
  EXPECT_FALSE(platform::ReplaceFileContents("C:\\loop1.ini", "x"));
}

// New files that a killed writer left are removed; one a live writer holds,
// and names of another pattern, stay.
TEST_F(FileReplacementTest, StaleNewFilesAreRemovedALiveOneStays) {
  WriteFile(root_ / "s.ini", "old");
  WriteFile(root_ / "s.ini.new-Ab12Cd", "stale");
  WriteFile(root_ / "s.ini.new-short", "other");
  WriteFile(root_ / "t.ini.new-Ab12Cd", "another file's");
  auto live = platform::FileReplacement::Begin("C:\\s.ini");
  ASSERT_NE(live, nullptr);
  ASSERT_TRUE(live->Write("live"));
  ASSERT_TRUE(platform::ReplaceFileContents("C:\\s.ini", "new"));
  EXPECT_EQ(ReadFile(root_ / "s.ini"), "new");
  const std::vector<std::string> names = Names(root_);
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "s.ini.new-Ab12Cd"), 0);
  EXPECT_EQ(std::count(names.begin(), names.end(), "s.ini.new-short"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "t.ini.new-Ab12Cd"), 1);
  EXPECT_TRUE(live->Commit());
  EXPECT_EQ(ReadFile(root_ / "s.ini"), "live");
}

TEST_F(FileReplacementTest, AWritableFileInAFolderThatIsNotIsRewrittenInPlace) {
  WriteFile(root_ / "ro/s.ini", "the old, longer text");
  WriteFile(root_ / "ro/r.ini", "old");
  fs::permissions(root_ / "ro/r.ini", fs::perms(0444));
  struct stat before {};
  ASSERT_EQ(::stat((root_ / "ro/s.ini").c_str(), &before), 0);
  {
    const testing_support::NoFileOverrides asUser;
    if (!asUser.Held()) GTEST_SKIP() << "root writes every folder here";
    fs::permissions(root_ / "ro", fs::perms(0555));
    EXPECT_TRUE(platform::ReplaceFileContents("C:\\ro\\s.ini", "new"));
    EXPECT_FALSE(platform::ReplaceFileContents("C:\\ro\\r.ini", "new"));
    EXPECT_FALSE(platform::ReplaceFileContents("C:\\ro\\n.ini", "new")) << "a new file needs the folder";
    fs::permissions(root_ / "ro", fs::perms::owner_all);
  }
  EXPECT_EQ(ReadFile(root_ / "ro/s.ini"), "new");
  struct stat st {};
  ASSERT_EQ(::stat((root_ / "ro/s.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_ino, before.st_ino) << "the same file, rewritten";
  EXPECT_EQ(ReadFile(root_ / "ro/r.ini"), "old");
  EXPECT_EQ(Names(root_ / "ro"), (std::vector<std::string>{"r.ini", "s.ini"}));
}

}  // namespace
