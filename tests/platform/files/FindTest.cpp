#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/drives/DriveMap.h"
#include "platform/drives/Folders.h"
#include "platform/files/FileAttributes.h"
#include "platform/files/Find.h"
#include "tests/support/TempDrive.h"

namespace {

namespace fs = std::filesystem;
using testing_support::SetDosAttrib;
using testing_support::WriteFile;

// Every entry a listing gives, by name, with its attributes.
std::map<std::string, std::uint32_t> List(const std::string& pattern, std::uint32_t filter,
                                          FINDEX_SEARCH_OPS searchOp = FindExSearchNameMatch) {
  std::map<std::string, std::uint32_t> found;
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileExA(pattern, filter, FindExInfoStandard, searchOp, data);
  if (!search) return found;
  do {
    EXPECT_TRUE(found.emplace(data.cFileName, data.dwFileAttributes).second) << "twice: " << data.cFileName;
  } while (FindNextFileA(search, data));
  EXPECT_TRUE(FindClose(search));
  return found;
}

std::vector<std::string> Names(const std::map<std::string, std::uint32_t>& entries) {
  std::vector<std::string> names;
  for (const auto& [name, attributes] : entries) names.push_back(name);
  return names;
}

class Find : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing_support::FreshFolder("find");
    const fs::path f = root_ / "f";
    WriteFile(f / "a.txt");
    WriteFile(f / "B.TXT");
    WriteFile(f / "noext");
    WriteFile(f / ".hidden");
    WriteFile(f / "sys.dat");
    WriteFile(f / "hid.txt");
    WriteFile(f / "\xC3\xA4.txt");  // ä.txt
    WriteFile(f / "ro.txt");
    WriteFile(f / "back\\slash");
    fs::create_directories(f / "Sub");
    fs::create_directories(f / ".git");
    fs::create_directories(f / "HidDir");
    fs::create_directory_symlink(f / "Sub", f / "SubLink");
    fs::create_symlink(f / "nowhere", f / "dangling");
    fs::permissions(f / "ro.txt", fs::perms(0444));
    ASSERT_TRUE(SetDosAttrib(f / "sys.dat", "0x4"));
    ASSERT_TRUE(SetDosAttrib(f / "hid.txt", "0x22"));
    ASSERT_TRUE(SetDosAttrib(f / "HidDir", "0x2"));
    platform::SetDriveMap({{'C', root_.string(), 3}});
  }
  void TearDown() override {
    ASSERT_EQ(::chdir("/"), 0);
    platform::UseDefaultDriveMap();
  }
  fs::path root_;
};

TEST_F(Find, PatternsAndFilters) {
  using V = std::vector<std::string>;
  struct Case {
    const char* pattern;
    std::uint32_t filter;
    V names;
  };
  const V allFiles = {".hidden", "B.TXT", "a.txt", "dangling", "hid.txt", "noext", "ro.txt", "sys.dat", "\xC3\xA4.txt"};
  const Case cases[] = {
      // The file list: every file, hidden and system ones included, never a folder.
      {"C:\\f\\*.*", 0x27, allFiles},
      {"C:\\F\\*", 0x27, allFiles},
      // The folder tree: folders and plain files, nothing hidden or system.
      {"C:\\f\\*.*",
       0x10,
       {".", "..", "B.TXT", "Sub", "SubLink", "a.txt", "dangling", "noext", "ro.txt", "\xC3\xA4.txt"}},
      {"C:\\f\\*.TXT", 0x27, {"B.TXT", "a.txt", "hid.txt", "ro.txt", "\xC3\xA4.txt"}},
      {"C:\\f\\?.txt", 0x27, {"B.TXT", "a.txt", "\xC3\xA4.txt"}},
      {"C:\\f\\\xC3\x84.TXT", 0x27, {"\xC3\xA4.txt"}},
      {"C:\\f\\*e*", 0x27, {".hidden", "noext"}},
      {"C:\\f\\A.TXT", 0x27, {"a.txt"}},
      {"C:\\f\\NOEXT", 0x3F, {"noext"}},
      {"C:\\f\\sub", 0x27, {}},
      {"C:\\f\\sub", 0x10, {"Sub"}},
      {"C:\\f\\missing.*", 0x3F, {}},
      {"C:\\f\\", 0x3F, {}},
      {"C:\\nofolder\\*.*", 0x3F, {}},
      {"C:\\f\\a.txt\\*.*", 0x3F, {}},
      // A drive's root lists no "." and "..".
      {"C:\\*.*", 0x3F, {"f"}},
      {"C:*.*", 0x10, {"f"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Names(List(c.pattern, c.filter)), c.names);
  }
}

TEST_F(Find, ASearchLimitedToFoldersGivesFoldersAndLinksToFoldersOnly) {
  using V = std::vector<std::string>;
  const struct {
    const char* pattern;
    std::uint32_t filter;
    V names;
  } cases[] = {
      {"C:\\f\\*.*", 0x10, {".", "..", "Sub", "SubLink"}},
      {"C:\\f\\*.*", 0x3F, {".", "..", ".git", "HidDir", "Sub", "SubLink"}},
      {"C:\\f\\s*", 0x3F, {"Sub", "SubLink"}},
      {"C:\\f\\sub", 0x10, {"Sub"}},
      {"C:\\f\\a.txt", 0x3F, {}},
      {"C:\\f\\*.txt", 0x3F, {}},
      {"C:\\*.*", 0x10, {"f"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Names(List(c.pattern, c.filter, FindExSearchLimitToDirectories)), c.names);
  }
}

TEST_F(Find, AListingReadInPartsGivesEveryEntryOnceAndPausesWhereItsBudgetEnds) {
  for (int budget : {1, 3, 1000}) {
    SCOPED_TRACE(budget);
    HFIND search = platform::FindOpenExA("C:\\f\\*.*", 0x3F, FindExInfoStandard, FindExSearchNameMatch);
    ASSERT_NE(search, nullptr);
    std::vector<std::string> names;
    int pauses = 0;
    WIN32_FIND_DATAA data;
    for (;;) {
      int left = budget;
      const platform::FindStep step = platform::FindNextWithin(search, data, left);
      EXPECT_GE(left, 0);
      if (step == platform::FindStep::End) break;
      if (step == platform::FindStep::Paused) {
        EXPECT_EQ(left, 0);
        ++pauses;
      } else {
        names.push_back(data.cFileName);
      }
    }
    EXPECT_TRUE(FindClose(search));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, Names(List("C:\\f\\*.*", 0x3F)));
    if (budget == 1) {
      EXPECT_GT(pauses, 0);
    }
    if (budget == 1000) {
      EXPECT_EQ(pauses, 0);
    }
  }
  EXPECT_EQ(platform::FindOpenExA("C:\\missing\\*.*", 0x3F, FindExInfoStandard, FindExSearchNameMatch), nullptr);
}

TEST_F(Find, AFolderEntryCarriesItsLinkCount) {
  fs::create_directories(root_ / "g" / "one");
  fs::create_directories(root_ / "g" / "two");
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileExA("C:\\g", 0x10, FindExInfoStandard, FindExSearchNameMatch, data);
  ASSERT_NE(search, nullptr);
  FindClose(search);
  // File systems that do not count sub-folders in a folder's links say 1.
  if (data.linkCount != 1) {
    EXPECT_EQ(data.linkCount, 4u);
  }
}

// Kernels before 6.13 cannot ask an entry's attribute through its folder:
// by path it reads the same.
TEST_F(Find, AttributesOfEntries) {
  const std::map<std::string, std::uint32_t> expected = {
      {".", 0x10},       {"..", 0x10},    {".git", 0x12},    {".hidden", 0x22}, {"B.TXT", 0x20},
      {"HidDir", 0x12},  {"Sub", 0x10},   {"SubLink", 0x10}, {"a.txt", 0x20},   {"dangling", 0x20},
      {"hid.txt", 0x22}, {"noext", 0x20}, {"ro.txt", 0x21},  {"sys.dat", 0x04}, {"\xC3\xA4.txt", 0x20},
  };
  for (const bool throughFolders : {true, false}) {
    platform::AskAttributesThroughFolders(throughFolders);
    EXPECT_EQ(List("C:\\f\\*.*", 0x3F), expected) << throughFolders;
  }
  platform::AskAttributesThroughFolders(true);
}

// A link is listed with its target's attributes and marked as a link; the
// entry's own status is the link itself.
TEST_F(Find, LinksAreMarkedAndTheirOwnStatusIsTheLink) {
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA("C:\\f\\*.*", FILE_ATTRIBUTE_ANY, data);
  ASSERT_NE(search, nullptr);
  std::map<std::string, std::pair<bool, std::uint64_t>> seen;  // link, own size
  do {
    const auto own = platform::EntryStatus(search, data.cFileName);
    ASSERT_TRUE(own) << data.cFileName;
    seen[data.cFileName] = {data.symbolicLink, own->size};
  } while (FindNextFileA(search, data));
  FindClose(search);
  const fs::path f = root_ / "f";
  EXPECT_EQ(seen["SubLink"], std::make_pair(true, static_cast<std::uint64_t>((f / "Sub").string().size())));
  EXPECT_EQ(seen["dangling"], std::make_pair(true, static_cast<std::uint64_t>((f / "nowhere").string().size())));
  EXPECT_EQ(seen["Sub"], std::make_pair(false, std::uint64_t{0}));
  EXPECT_EQ(seen["a.txt"].first, false);
}

// A folders-only listing gives the folders and the links to folders with
// their full attributes; a names listing gives every entry's kind alone.
TEST_F(Find, FoldersOnlyAndNamesOnlyListings) {
  const auto list = [](FINDEX_INFO_LEVELS info, FINDEX_SEARCH_OPS scope, std::uint32_t filter) {
    std::map<std::string, std::pair<std::uint32_t, bool>> found;
    WIN32_FIND_DATAA data;
    HFIND search = FindFirstFileExA("C:\\f\\*.*", filter, info, scope, data);
    if (search == nullptr) return found;
    do {
      EXPECT_EQ(data.nFileSize, 0u) << data.cFileName;
      found[data.cFileName] = {data.dwFileAttributes, data.symbolicLink};
    } while (FindNextFileA(search, data));
    FindClose(search);
    return found;
  };
  using Found = std::map<std::string, std::pair<std::uint32_t, bool>>;
  EXPECT_EQ(list(FindExInfoStandard, FindExSearchLimitToDirectories, FILE_ATTRIBUTE_DIRECTORY),
            (Found{{".", {0x10, false}}, {"..", {0x10, false}}, {"Sub", {0x10, false}}, {"SubLink", {0x10, true}}}));
  EXPECT_EQ(list(FindExInfoStandard, FindExSearchLimitToDirectories, FILE_ATTRIBUTE_ANY),
            (Found{{".", {0x10, false}},
                   {"..", {0x10, false}},
                   {".git", {0x12, false}},
                   {"HidDir", {0x12, false}},
                   {"Sub", {0x10, false}},
                   {"SubLink", {0x10, true}}}));
  const Found names = list(FindExInfoNames, FindExSearchNameMatch, FILE_ATTRIBUTE_ANY);
  EXPECT_EQ(names.size(), 15u);
  EXPECT_EQ(names.at("Sub"), std::make_pair(0x10u, false));
  EXPECT_EQ(names.at("SubLink"), std::make_pair(0x00u, true)) << "a link has no folder bit";
  EXPECT_EQ(names.at("dangling"), std::make_pair(0x00u, true));
  EXPECT_EQ(names.at("sys.dat"), std::make_pair(0x00u, false)) << "stored bits are not read";
  EXPECT_EQ(names.at(".hidden"), std::make_pair(0x02u, false));
}

// A walk opens a sub-folder through its parent's listing, never a link.
TEST_F(Find, ASubFolderOpensThroughItsParentButALinkDoesNot) {
  WriteFile(root_ / "f" / "Sub" / "inner.txt");
  WIN32_FIND_DATAA data;
  HFIND parent = FindFirstFileA("C:\\f\\*.*", FILE_ATTRIBUTE_ANY, data);
  ASSERT_NE(parent, nullptr);
  std::vector<std::string> names;
  HFIND child =
      platform::FindFirstFileInA(parent, "Sub", FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data);
  ASSERT_NE(child, nullptr);
  do names.push_back(data.cFileName);
  while (FindNextFileA(child, data));
  FindClose(child);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "inner.txt"}));
  EXPECT_EQ(
      platform::FindFirstFileInA(parent, "SubLink", FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data),
      nullptr);
  EXPECT_EQ(
      platform::FindFirstFileInA(parent, "a.txt", FILE_ATTRIBUTE_ANY, FindExInfoNames, FindExSearchNameMatch, data),
      nullptr);
  EXPECT_TRUE(platform::EnterableEntry(parent, "Sub"));
  EXPECT_FALSE(platform::EnterableEntry(parent, "a.txt"));
  FindClose(parent);
}

TEST_F(Find, RelativePatternAndSizes) {
  const fs::path big = root_ / "f" / "Sub" / "big.bin";
  WriteFile(big, "");
  fs::resize_file(big, 5ull << 30);  // sparse
  ASSERT_TRUE(SetCurrentDirectoryA("c:\\F\\sub"));
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA("BIG.*", 0x27, data);
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(data.cFileName, "big.bin");
  EXPECT_EQ(data.nFileSize, 5ull << 30);
  EXPECT_GT(data.ftLastWriteTime.ticks, 0);
  EXPECT_GT(data.ftCreationTime.ticks, 0);
  EXPECT_FALSE(FindNextFileA(search, data));
  FindClose(search);
}

TEST_F(Find, EntriesThatVanishAreLeftOut) {
  for (int i = 0; i < 50; ++i) WriteFile(root_ / "v" / ("n" + std::to_string(i)));
  WIN32_FIND_DATAA data;
  HFIND search = FindFirstFileA("C:\\v\\*", 0x27, data);
  ASSERT_NE(search, nullptr);
  fs::remove_all(root_ / "v");
  int more = 0;
  while (FindNextFileA(search, data)) ++more;
  FindClose(search);
  // The first came before the removal; what the folder read had buffered
  // is gone now and is not listed.
  EXPECT_EQ(more, 0);
}

// A folder long enough to be read ahead and filled by several threads gives
// every entry once, in the order the folder read names them, each with its
// own attributes and size, and what the filter rules out stays out.
TEST_F(Find, ALargeFolderIsListedInItsOrderWithEachEntrysStatus) {
  const fs::path big = root_ / "big";
  std::map<std::string, std::uint32_t> expected;
  std::map<std::string, std::uint64_t> sizes;
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "file" + std::to_string(i);
    WriteFile(big / name, std::string(static_cast<std::size_t>(i % 7), 'x'));
    sizes[name] = static_cast<std::uint64_t>(i % 7);
    std::uint32_t attributes = 0x20;
    if (i % 13 == 0) {
      fs::permissions(big / name, fs::perms(0444));
      attributes |= 0x01;
    }
    if (i % 17 == 0) {
      ASSERT_TRUE(SetDosAttrib(big / name, i % 2 ? "0x22" : "0x4"));
      attributes = (attributes & 0x01) | (i % 2 ? 0x22 : 0x04);
    }
    // Hidden and system files are left out below, as the filter says.
    if ((attributes & 0x06) == 0) expected[name] = attributes;
  }
  fs::create_directories(big / "folder");

  std::vector<std::string> order;
  WIN32_FIND_DATAA data;
  HFIND names = FindFirstFileExA("C:\\big\\*", 0x3F, FindExInfoNames, FindExSearchNameMatch, data);
  ASSERT_NE(names, nullptr);
  do {
    if ((data.dwFileAttributes & 0x10) == 0) order.push_back(data.cFileName);
  } while (FindNextFileA(names, data));
  FindClose(names);

  std::map<std::string, std::uint32_t> found;
  std::vector<std::string> given;
  HFIND search = FindFirstFileA("C:\\big\\*", 0x21, data);
  ASSERT_NE(search, nullptr);
  do {
    EXPECT_TRUE(found.emplace(data.cFileName, data.dwFileAttributes).second) << "twice: " << data.cFileName;
    EXPECT_EQ(data.nFileSize, sizes[data.cFileName]) << data.cFileName;
    given.push_back(data.cFileName);
  } while (FindNextFileA(search, data));
  FindClose(search);
  EXPECT_EQ(found, expected);
  std::erase_if(order, [&](const std::string& name) { return !expected.contains(name); });
  EXPECT_EQ(given, order);
}

}  // namespace
