#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <vector>

#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/Label.h"
#include "framework/core/Exception.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/ImageList.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/SubItems.h"
#include "platform/drives/Folders.h"
#include "platform/system/Locale.h"
#include "tests/components/ComponentTestSupport.h"

using namespace component_test;

namespace {

constexpr std::uint32_t kHidden = 0x2, kSystem = 0x4, kArchive = 0x20;

class FileList : public ::testing::Test {
 protected:
  FileList() : drive_("filelist") {
    WriteFile(drive_.Host("RegInfo.ini"),
              "PX41\r\n.PIC; Picture; C:\\icons\\pic.png; 0; 4;\r\n.LOG; log file; -; 0; 3;\r\n"
              ".AAA; alpha; -; 0; 1;\r\n.BBB; Beta; -; 0; 1;\r\n.CCC; gamma; -; 0; 1;\r\n");
    WriteFile(drive_.Host("icons/pic.png"), SamplePng());
    fs::create_directories(drive_.Host("Data"));
    table_.FileName = "C:\\RegInfo.ini";
    table_.LoadExtra = true;
    table_.Init();
    list_.Extension = &table_;
    list_.FilesLabel = &label_;
    list_.Init();
  }

  // Captions in list order, joined by " | ".
  std::string Captions() const {
    std::string text;
    for (int n = 0; n < list_.Items()->Count(); ++n) text += (n == 0 ? "" : " | ") + list_.Items()->Item(n)->Caption();
    return text;
  }
  TListItem* Find(const std::string& caption) const {
    for (int n = 0; n < list_.Items()->Count(); ++n)
      if (list_.Items()->Item(n)->Caption() == caption) return list_.Items()->Item(n);
    return nullptr;
  }
  void Click(int column) { list_.OnColumnClick(&list_, list_.Columns()->Item(column)); }

  TestDrive drive_;
  TExtension table_{nullptr};
  TLabel label_{nullptr};
  TFileList list_{nullptr};
};

TEST(SizeToStr, StepsOfAThousandWithTwoDecimalsAndTheUsersSeparators) {
  platform::RegionalSettings settings;
  settings.decimalSeparator = ".";
  settings.thousandSeparator = ",";
  platform::SetRegionalSettings(settings);
  const std::pair<long double, const char*> cases[] = {
      {0, "0.00 B"},
      {999, "999.00 B"},
      {1000, "1.00 Kb"},
      {1536, "1.54 Kb"},
      {999999, "1,000.00 Kb"},
      {1048576, "1.05 Mb"},
      {999999999, "1,000.00 Mb"},
      {2500000000.0L, "2.50 Gb"},
      {1500000000000.0L, "1,500.00 Gb"},
      {-5, "-5.00 B"},
      {-123456, "-123,456.00 B"},
      {9223372036854775807.0L, "9,223,372,036.85 Gb"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeToStr(bytes), text) << static_cast<double>(bytes);
  settings.decimalSeparator = ",";
  settings.thousandSeparator = ".";
  platform::SetRegionalSettings(settings);
  EXPECT_EQ(SizeToStr(1500000000000.0L), "1.500,00 Gb");
  EXPECT_EQ(SizeToStr(1536), "1,54 Kb");
  platform::UseSystemRegionalSettings();
}

TEST_F(FileList, ConstructionAndInitGiveTheColumnsAndTheTablesImages) {
  EXPECT_TRUE(list_.MultiSelect());
  EXPECT_TRUE(list_.Ready);
  EXPECT_EQ(list_.Mask, "*.*");
  EXPECT_EQ(list_.SortColumn, 0);
  EXPECT_TRUE(list_.SortUp);
  ASSERT_EQ(list_.Columns()->Count(), 5);
  const std::pair<const char*, int> columns[] = {
      {"Name", 145}, {"Size", 70}, {"Type", 130}, {"Modified", 118}, {"Attributes", 62}};
  for (int n = 0; n < 5; ++n) {
    EXPECT_EQ(list_.Cols[n + 1], list_.Columns()->Item(n));
    EXPECT_EQ(list_.Cols[n + 1]->Caption(), columns[n].first);
    EXPECT_EQ(list_.Cols[n + 1]->Width(), columns[n].second);
    EXPECT_EQ(list_.Cols[n + 1]->Alignment(), taLeftJustify);
    EXPECT_EQ(list_.Cols[n + 1]->ImageIndex(), -1);
  }
  EXPECT_EQ(list_.Cols[0], nullptr);
  EXPECT_EQ(list_.LargeImages(), table_.LargeIcons);
  EXPECT_EQ(list_.SmallImages(), table_.SmallIcons);

  TFileList bare(nullptr);
  try {
    bare.Init();
    FAIL() << "no exception";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "Must have a TExtension Component");
  }
  EXPECT_FALSE(bare.Ready);
  EXPECT_EQ(bare.Columns()->Count(), 0);
}

TEST_F(FileList, EachFileShowsItsSizeTypeDateAttributesAndKeys) {
  const auto file = [&](const std::string& name, std::size_t size) {
    const fs::path path = drive_.Host("Data/" + name);
    WriteFile(path, std::string(size, 'x'));
    SetModified(path, 2009, 12, 31, 13, 45, 7);
    return path;
  };
  file("report.txt", 1234);
  file("README", 0);
  file("photo.pic", 1536);
  file("notes.LOG", 999);
  const fs::path midnight = file("night.dat", 10);
  SetModified(midnight, 2010, 1, 1, 0, 0, 0);
  ASSERT_TRUE(SetDosBits(file("hidden.aaa", 1), kHidden | kArchive));
  ASSERT_TRUE(SetDosBits(file("system.aaa", 1), kHidden | kSystem));
  ::chmod(file("readonly.aaa", 1).c_str(), 0444);
  ASSERT_TRUE(SetDosBits(file("plain.aaa", 1), 0));
  file(".dotfile", 2);
  fs::create_directories(drive_.Host("Data/folder.pic"));

  list_.SetDirectory("C:\\Data\\");
  EXPECT_EQ(list_.FileCount, 10);
  EXPECT_EQ(label_.Caption(), "10 Files");
  EXPECT_EQ(Captions(),
            ".dotfile | hidden.aaa | night.dat | notes.LOG | photo.pic | plain.aaa | README | readonly.aaa | "
            "report.txt | system.aaa");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");

  struct Row {
    const char* name;
    const char* size;
    const char* type;
    const char* modified;
    const char* attributes;
    int image;
  };
  // The packed time of 31/12/2009 13:45:06 (odd seconds go down).
  const std::uint32_t packed = (29u << 25) | (12u << 21) | (31u << 16) | (13u << 11) | (45u << 5) | 3u;
  char dateKey[17];
  std::snprintf(dateKey, sizeof dateKey, "%016X", packed);
  const Row rows[] = {
      {"report.txt", "1.23 Kb", ".TXT File", "31/12/2009 13:45:06", "A", -1},
      {"README", "0.00 B", " File", "31/12/2009 13:45:06", "A", -1},
      {"photo.pic", "1.54 Kb", "Picture", "31/12/2009 13:45:06", "A", 0},
      {"notes.LOG", "999.00 B", "log file", "31/12/2009 13:45:06", "A", 1},
      {"night.dat", "10.00 B", ".DAT File", "01/01/2010", "A", -1},
      {"hidden.aaa", "1.00 B", "alpha", "31/12/2009 13:45:06", "HA", 2},
      {"system.aaa", "1.00 B", "alpha", "31/12/2009 13:45:06", "HS", 2},
      {"readonly.aaa", "1.00 B", "alpha", "31/12/2009 13:45:06", "RA", 2},
      {"plain.aaa", "1.00 B", "alpha", "31/12/2009 13:45:06", "", 2},
      {".dotfile", "2.00 B", ".DOTFILE File", "31/12/2009 13:45:06", "HA", -1},
  };
  std::map<int, int> images;  // type -> image
  for (const Row& row : rows) {
    const TListItem* item = Find(row.name);
    ASSERT_NE(item, nullptr) << row.name;
    ASSERT_EQ(item->SubItems()->Count(), 6) << row.name;
    EXPECT_EQ(item->SubItems()->Strings(0), row.size) << row.name;
    EXPECT_EQ(item->SubItems()->Strings(1), row.type) << row.name;
    EXPECT_EQ(item->SubItems()->Strings(2), row.modified) << row.name;
    EXPECT_EQ(item->SubItems()->Strings(3), row.attributes) << row.name;
    if (row.image < 0) {
      EXPECT_EQ(item->ImageIndex(), -1) << row.name;
    } else {
      // Icons come in the order types are first listed, after the two extra images.
      EXPECT_GE(item->ImageIndex(), 2) << row.name;
      images[row.image] = item->ImageIndex();
    }
  }
  EXPECT_EQ(images.size(), 3u);
  EXPECT_EQ(Find("hidden.aaa")->ImageIndex(), Find("plain.aaa")->ImageIndex());
  EXPECT_NE(Find("hidden.aaa")->ImageIndex(), Find("photo.pic")->ImageIndex());
  EXPECT_NE(Find("notes.LOG")->ImageIndex(), Find("photo.pic")->ImageIndex());
  EXPECT_EQ(Find("report.txt")->SubItems()->Strings(4), "00000000000004D2");
  EXPECT_EQ(Find("report.txt")->SubItems()->Strings(5), dateKey);
  EXPECT_EQ(Find("night.dat")->SubItems()->Strings(5), "000000003C210000");
  // One icon per learned type, in both lists.
  EXPECT_EQ(table_.SmallIcons->Count(), 5);
  EXPECT_EQ(table_.LargeIcons->Count(), 5);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(FileList, GetAttributesOrdersTheLetters) {
  const std::pair<int, const char*> cases[] = {{0, ""},     {0x27, "HSRA"}, {0x23, "HRA"}, {0x20, "A"},
                                               {0x01, "R"}, {0x18, ""},     {0x06, "HS"}};
  for (const auto& [bits, letters] : cases) EXPECT_EQ(list_.GetAttributes(bits), letters) << bits;
}

TEST_F(FileList, CountLabelReadsFilesForNoneOneAndMany) {
  fs::create_directories(drive_.Host("Empty"));
  fs::create_directories(drive_.Host("Folders/a/b"));
  fs::create_directories(drive_.Host("Folders/c"));
  WriteFile(drive_.Host("One/only.txt"));
  for (const auto& [folder, label] :
       {std::pair{"C:\\Empty", "0 Files"}, {"C:\\Folders", "0 Files"}, {"C:\\One", "1 Files"}}) {
    list_.SetDirectory(folder);
    EXPECT_EQ(label_.Caption(), label) << folder;
  }
  EXPECT_EQ(Captions(), "only.txt");
}

TEST_F(FileList, HeaderClicksSortAndMoveTheArrow) {
  const auto file = [&](const std::string& name, std::size_t size, int year, int month, int day) {
    const fs::path path = drive_.Host("Data/" + name);
    WriteFile(path, std::string(size, 'x'));
    SetModified(path, year, month, day, 12, 0, 0);
  };
  file("b.ccc", 1000, 2009, 12, 31);
  file("a.BBB", 999, 2010, 1, 1);
  file("C.aaa", 5, 1999, 1, 1);
  list_.SetDirectory("C:\\Data");
  EXPECT_EQ(Captions(), "a.BBB | b.ccc | C.aaa");

  Click(0);  // the list starts by name ascending: the first click turns it
  EXPECT_FALSE(list_.SortUp);
  EXPECT_EQ(Captions(), "C.aaa | b.ccc | a.BBB");
  EXPECT_EQ(list_.Cols[1]->ImageIndex(), table_.SortDownImage);
  Click(0);
  EXPECT_TRUE(list_.SortUp);
  EXPECT_EQ(Captions(), "a.BBB | b.ccc | C.aaa");
  EXPECT_EQ(list_.Cols[1]->ImageIndex(), table_.SortUpImage);
  Click(0);

  Click(1);  // another column keeps the direction: size descending
  EXPECT_EQ(list_.SortColumn, 1);
  EXPECT_FALSE(list_.SortUp);
  EXPECT_EQ(Captions(), "b.ccc | a.BBB | C.aaa");
  EXPECT_EQ(list_.Cols[1]->ImageIndex(), -1);
  EXPECT_EQ(list_.Cols[2]->ImageIndex(), table_.SortDownImage);
  Click(1);  // 999 bytes before 1000 although "999.00 B" reads after "1.00 Kb"
  EXPECT_EQ(Captions(), "C.aaa | a.BBB | b.ccc");

  Click(2);  // type, case ignored: alpha, Beta, gamma
  EXPECT_EQ(Captions(), "C.aaa | a.BBB | b.ccc");
  Click(2);
  EXPECT_EQ(Captions(), "b.ccc | a.BBB | C.aaa");
  Click(2);

  Click(3);  // modified: 1999, 31/12/2009, 2010
  EXPECT_EQ(list_.SortColumn, 3);
  EXPECT_EQ(Captions(), "C.aaa | b.ccc | a.BBB");

  // A re-read comes back in the order of the current column and direction.
  Click(3);
  WriteFile(drive_.Host("Data/new.txt"));
  SetModified(drive_.Host("Data/new.txt"), 2005, 6, 1, 8, 0, 0);
  list_.Refresh_List();
  EXPECT_EQ(Captions(), "a.BBB | b.ccc | new.txt | C.aaa");
  for (int n = 0; n < 5; ++n) EXPECT_EQ(list_.Cols[n + 1]->ImageIndex(), n == 3 ? table_.SortDownImage : -1);
}

// The order a stable sort by CompareItems gives the list's present order.
std::vector<std::string> SortedByCompareItems(TFileList& list) {
  std::vector<TListItem*> items;
  for (int n = 0; n < list.Items()->Count(); ++n) items.push_back(list.Items()->Item(n));
  std::stable_sort(items.begin(), items.end(), [&](TListItem* a, TListItem* b) {
    int compare = 0;
    list.CompareItems(&list, a, b, 0, compare);
    return compare < 0;
  });
  std::vector<std::string> names;
  for (const TListItem* item : items) names.push_back(item->Caption());
  return names;
}

std::vector<std::string> Listed(const TFileList& list) {
  std::vector<std::string> names;
  for (int n = 0; n < list.Items()->Count(); ++n) names.push_back(list.Items()->Item(n)->Caption());
  return names;
}

TEST_F(FileList, EveryColumnSortsInTheOrderOfItsTextsAndASecondClickTurnsIt) {
  // Case, accents, digits, punctuation and names that are not UTF-8; equal
  // sizes, times, types and attributes, so runs of equal keys keep an order.
  const std::vector<std::string> names = {"a.txt",
                                          "A.TXT",
                                          "b.log",
                                          "\xC3\xA4pfel.pic",
                                          "\xC3\x84PFEL.pic",
                                          "apfel.PIC",
                                          "file10.aaa",
                                          "file9.aaa",
                                          "File9.AAA",
                                          "file09.bbb",
                                          "a-b.ccc",
                                          "a_b.ccc",
                                          "a b.ccc",
                                          "(x).txt",
                                          "~tilde",
                                          "caf\xE9.log",
                                          "caf\xE8.log",
                                          "caf\xC3",
                                          "\xFF\xFE.bin",
                                          "stra\xC3\x9F"
                                          "e",
                                          "STRASSE",
                                          ".hidden",
                                          "#1",
                                          "z.Z"};
  for (std::size_t n = 0; n < names.size(); ++n) {
    const fs::path path = drive_.Host("Data/" + names[n]);
    WriteFile(path, std::string(n % 3 * 500, 'x'));
    SetModified(path, 2000 + static_cast<int>(n % 4), 1, 1, 12, 0, 0);
    ASSERT_TRUE(SetDosBits(path, n % 2 != 0 ? kHidden | kArchive : (n % 5 == 0 ? kSystem : 0)));
  }
  list_.SetDirectory("C:\\Data");
  ASSERT_EQ(list_.Items()->Count(), static_cast<int>(names.size()));
  EXPECT_EQ(Listed(list_), SortedByCompareItems(list_));
  for (const int column : {1, 2, 3, 4, 0, 2}) {
    for (int click = 0; click < 2; ++click) {
      SCOPED_TRACE("column " + std::to_string(column) + (click == 0 ? "" : ", again"));
      const bool up = click == 0 ? list_.SortUp : !list_.SortUp;
      // The order a full sort of the present order would give.
      const int savedColumn = list_.SortColumn;
      const bool savedUp = list_.SortUp;
      list_.SortColumn = column;
      list_.SortUp = up;
      const std::vector<std::string> expected = SortedByCompareItems(list_);
      list_.SortColumn = savedColumn;
      list_.SortUp = savedUp;
      Click(column);
      EXPECT_EQ(list_.SortUp, up);
      EXPECT_EQ(Listed(list_), expected);
    }
  }
  // A renamed item sorts by its new name.
  Find("b.log")->SetCaption("zzz.log");
  Click(2);
  Click(0);
  EXPECT_EQ(Listed(list_), SortedByCompareItems(list_));
  EXPECT_EQ(Find("zzz.log")->Index() - Find("z.Z")->Index(), list_.SortUp ? 1 : -1);
}

TEST_F(FileList, AttributesSortIgnoringCase) {
  WriteFile(drive_.Host("Data/a"));
  ASSERT_TRUE(SetDosBits(drive_.Host("Data/a"), 0));
  WriteFile(drive_.Host("Data/b"));
  ASSERT_TRUE(SetDosBits(drive_.Host("Data/b"), kHidden | kArchive));
  WriteFile(drive_.Host("Data/c"));
  list_.SetDirectory("C:\\Data");
  Click(4);
  EXPECT_TRUE(list_.SortUp);
  EXPECT_EQ(Captions(), "a | c | b");  // "", A, HA
  Click(4);
  EXPECT_EQ(Captions(), "b | c | a");
}

TEST_F(FileList, DirectoryIsReadWhenItChangesAndRefreshAlwaysReads) {
  WriteFile(drive_.Host("Data/a.txt"));
  list_.SetDirectory("C:\\Data");
  EXPECT_EQ(Captions(), "a.txt");
  WriteFile(drive_.Host("Data/b.txt"));
  list_.SetDirectory("C:\\Data");  // the same value: not read again
  EXPECT_EQ(Captions(), "a.txt");
  list_.SetDirectory("");  // empty: nothing changes
  EXPECT_EQ(list_.Directory(), "C:\\Data");
  EXPECT_EQ(Captions(), "a.txt");
  list_.Refresh_List();
  EXPECT_EQ(Captions(), "a.txt | b.txt");

  // Before Init a folder is only stored.
  TFileList early(nullptr);
  early.Extension = &table_;
  early.SetDirectory("C:\\Data");
  EXPECT_EQ(early.Directory(), "C:\\Data");
  early.Refresh_List();
  EXPECT_EQ(early.Items()->Count(), 0);
  early.Init();
  early.Refresh_List();
  EXPECT_EQ(early.Items()->Count(), 2);
}

TEST_F(FileList, AFolderThatCannotBeMadeCurrentEmptiesTheListAndKeepsTheLabel) {
  WriteFile(drive_.Host("Data/a.txt"));
  WriteFile(drive_.Host("Data/b.txt"));
  list_.SetDirectory("C:\\Data");
  EXPECT_EQ(label_.Caption(), "2 Files");
  list_.SetDirectory("C:\\Missing\\");
  ASSERT_EQ(drive_.boxes.Texts(), std::vector<std::string>{"Can't change directory to C:\\Missing\\"});
  EXPECT_EQ(drive_.boxes.Shown()[0].Flags & MB_TYPEMASK, MB_OK);
  EXPECT_EQ(list_.Items()->Count(), 0);
  EXPECT_EQ(list_.FileCount, 0);
  EXPECT_EQ(label_.Caption(), "2 Files");
  EXPECT_EQ(list_.Directory(), "C:\\Missing\\");
  EXPECT_EQ(Screen->Cursor(), crDefault);
  // A drive that is not mapped fails alike.
  list_.SetDirectory("Q:\\");
  EXPECT_EQ(drive_.boxes.Texts().back(), "Can't change directory to Q:\\");
}

TEST_F(FileList, SizesOfTwoGibibytesAndMoreShowAndKeyTheRealSize) {
  const fs::path big = drive_.Host("Data/big.bin");
  WriteFile(big, "");
  fs::resize_file(big, 5ull << 30);  // sparse
  WriteFile(drive_.Host("Data/small.bin"), std::string(3000, 'x'));
  const fs::path edge = drive_.Host("Data/edge.bin");
  WriteFile(edge, "");
  fs::resize_file(edge, 1ull << 31);
  list_.SetDirectory("C:\\Data");
  EXPECT_EQ(Find("big.bin")->SubItems()->Strings(0), "5.37 Gb");
  EXPECT_EQ(Find("big.bin")->SubItems()->Strings(4), "0000000140000000");
  EXPECT_EQ(Find("edge.bin")->SubItems()->Strings(0), "2.15 Gb");
  EXPECT_EQ(Find("edge.bin")->SubItems()->Strings(4), "0000000080000000");
  Click(1);
  EXPECT_EQ(Captions(), "small.bin | edge.bin | big.bin");
}

TEST_F(FileList, OddNamesAreListedAsTheirBytes) {
  const std::string names[] = {
      "\xff\xfe.bin",  // not UTF-8
      std::string("a\x01"
                  "b\tc\x7f.txt"),  // control characters
      std::string(255, 'n'),        // the longest name
      std::string(251, 'e') + ".txt",
      "trailing. ",
      "sp ace.PIC",
  };
  for (const std::string& name : names) WriteFile(drive_.Host("Data/" + name));
  WriteFile(drive_.Host("Data/back\\slash.txt"));  // no drive path can name it
  fs::create_symlink("missing-target", drive_.Host("Data/dangling"));
  list_.SetDirectory("C:\\Data");
  EXPECT_EQ(list_.FileCount, 7);
  for (const std::string& name : names) EXPECT_NE(Find(name), nullptr) << name;
  EXPECT_EQ(Find("back\\slash.txt"), nullptr);
  ASSERT_NE(Find("dangling"), nullptr);
  EXPECT_EQ(Find("\xff\xfe.bin")->SubItems()->Strings(1), ".BIN File");
  EXPECT_EQ(Find("sp ace.PIC")->SubItems()->Strings(1), "Picture");
  for (int column : {0, 1, 2, 3, 4}) Click(column);  // sorting odd names is safe
}

TEST_F(FileList, EntriesThatVanishWhileTheFolderIsReadAreLeftOut) {
  constexpr int kFiles = 3000;
  for (int n = 0; n < kFiles; ++n) WriteFile(drive_.Host("Data/f" + std::to_string(n) + ".txt"));
  std::atomic<bool> go{false};
  std::thread remover([&] {
    while (!go) std::this_thread::yield();
    for (int n = kFiles - 1; n >= 0; --n) ::unlink(drive_.Host("Data/f" + std::to_string(n) + ".txt").c_str());
  });
  go = true;
  list_.SetDirectory("C:\\Data");
  remover.join();
  EXPECT_LE(list_.FileCount, kFiles);
  EXPECT_EQ(list_.Items()->Count(), list_.FileCount);
  list_.Refresh_List();
  EXPECT_EQ(list_.FileCount, 0);
}

TEST_F(FileList, TheItemModelStaysConsistentWhileFoldersAreRead) {
  for (int n = 0; n < 300; ++n) WriteFile(drive_.Host("Data/f" + std::to_string(n) + (n % 3 ? ".pic" : ".log")));
  WriteFile(drive_.Host("Other/x.txt"));
  for (const TViewStyle style : {vsReport, vsIcon, vsList}) {
    list_.SetViewStyle(style);
    auto* view = qobject_cast<QAbstractItemView*>(list_.ActiveView());
    ASSERT_NE(view, nullptr);
    QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    list_.SetDirectory("C:\\Data");
    Click(1);
    list_.Items()->Item(3)->SetSelected(true);
    list_.SetDirectory("C:\\Other");
    list_.SetDirectory("C:\\Missing");
    list_.SetDirectory("C:\\Data");
    Click(0);
    list_.Refresh_List();
    EXPECT_EQ(list_.Items()->Count(), 300);
    list_.SetDirectory("C:\\Other");
  }
}

}  // namespace
