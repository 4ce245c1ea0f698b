// Under an ExactNames scope an item's own name is taken as spelled: a case
// twin beside a name that has gone is never acted on, while the folders on
// the way are still found ignoring case.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/drives/DriveMap.h"
#include "platform/drives/ExactNames.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/Find.h"
#include "platform/operations/FileCopy.h"
#include "tests/platform/operations/FileOpsSupport.h"

namespace {

using namespace fileops_test;

// C:\Data holds README alone; C:\Dst is empty. The paths are spelled with
// the folders in other cases, as a typed path might be.
class ExactNames : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = testing_support::FreshFolder("exactnames");
    c_ = base_ / "c";
    fs::create_directories(c_ / "Dst");
    WriteFile(c_ / "Data" / "README", "twin");
    platform::SetDriveMap({{'C', c_.string(), 3}});
  }
  void TearDown() override {
    platform::UseDefaultDriveMap();
    fs::remove_all(base_);
  }
  fs::path base_, c_;
};

struct Command {
  const char* what;
  std::function<bool(const std::string& item)> run;  // true when it succeeded
};

const Command kCommands[] = {
    {"delete", [](const std::string& item) { return !Shell(FO_DELETE, item, "", kDeleteFlags).aborted; }},
    {"recycle", [](const std::string& item) { return !Shell(FO_DELETE, item, "", kRecycleFlags).aborted; }},
    {"shell move", [](const std::string& item) { return !Shell(FO_MOVE, item, "C:\\dst\\x", kFileFlags).aborted; }},
    {"shell copy", [](const std::string& item) { return !Shell(FO_COPY, item, "C:\\dst\\x", kFileFlags).aborted; }},
    {"move", [](const std::string& item) { return MoveFileA(item, "C:\\dst\\x"); }},
    {"copy", [](const std::string& item) { return CopyFileA(item, "C:\\dst\\x", true); }},
    {"attributes", [](const std::string& item) { return SetFileAttributesA(item, FILE_ATTRIBUTE_READONLY); }},
    {"find",
     [](const std::string& item) {
       WIN32_FIND_DATAA data;
       HFIND search = FindFirstFileA(item, FILE_ATTRIBUTE_ANY, data);
       if (search) FindClose(search);
       return search != nullptr;
     }},
};

TEST_F(ExactNames, AGoneNameNeverFallsToItsCaseTwin) {
  for (const Command& command : kCommands) {
    bool done = true;
    {
      platform::ExactNames exact;
      done = command.run("C:\\data\\readme");
    }
    EXPECT_FALSE(done) << command.what;
    EXPECT_EQ(Names(c_ / "Data"), "README") << command.what;
    EXPECT_EQ(ReadFile(c_ / "Data" / "README"), "twin") << command.what;
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\README"), FILE_ATTRIBUTE_ARCHIVE) << command.what;
    EXPECT_EQ(Names(c_ / "Dst"), "") << command.what;
  }
}

TEST_F(ExactNames, TheExactNameIsActedOnAndTheTwinIsLeft) {
  for (const Command& command : kCommands) {
    WriteFile(c_ / "Data" / "readme", "item");
    fs::remove_all(c_ / "Dst");
    fs::create_directories(c_ / "Dst");
    bool done = false;
    {
      platform::ExactNames exact;
      done = command.run("C:\\data\\readme");
    }
    EXPECT_TRUE(done) << command.what;
    EXPECT_EQ(ReadFile(c_ / "Data" / "README"), "twin") << command.what;
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\README"), FILE_ATTRIBUTE_ARCHIVE) << command.what;
    const std::string dst = Names(c_ / "Dst");
    if (!dst.empty()) {
      EXPECT_EQ(ReadFile(c_ / "Dst" / "x"), "item") << command.what;
    }
    if (fs::exists(c_ / "Data" / "readme")) fs::permissions(c_ / "Data" / "readme", fs::perms::owner_all);
    fs::remove(c_ / "Data" / "readme");
  }
}

TEST_F(ExactNames, OnlyTheScopeTakesNamesExactlyAndScopesNest) {
  EXPECT_FALSE(platform::ExactNames::InForce());
  {
    platform::ExactNames outer;
    {
      platform::ExactNames inner;
      EXPECT_TRUE(platform::ExactNames::InForce());
    }
    EXPECT_TRUE(platform::ExactNames::InForce());
    const auto resolved = platform::ResolveDrivePath("C:\\data\\readme");
    ASSERT_TRUE(resolved);
    EXPECT_FALSE(resolved->exists);
    EXPECT_EQ(resolved->host, (c_ / "Data" / "readme").string()) << "the folder is still found ignoring case";
    const auto folder = platform::ResolveFolderPath("C:\\data\\readme");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->host, (c_ / "Data" / "README").string());
  }
  EXPECT_FALSE(platform::ExactNames::InForce());
  // Outside a scope a name a person types is still found ignoring case.
  EXPECT_EQ(platform::HostPath("C:\\data\\readme"), (c_ / "Data" / "README").string());
  EXPECT_EQ(GetFileAttributesA("C:\\data\\readme"), FILE_ATTRIBUTE_ARCHIVE);
}

}  // namespace
