// The search dialog: masks, sub-folders, size bounds, the result rows, the
// count line, cancelling, the Close/Cancel button, the folder picker, its
// activation, its layout and its saved size, and the current folder, which
// nothing of the dialog changes.

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QTimer>
#include <algorithm>
#include <ctime>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/MainForm.h"
#include "app/PXManager.h"
#include "app/Search_Form.h"
#include "components/DirList.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panel.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/UpDown.h"
#include "framework/core/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/forms/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"
#include "framework/listview/SubItems.h"
#include "platform/drives/Folders.h"
#include "platform/system/Locale.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

using testing_support::ScriptedMessageBoxes;

// For its lifetime, the process's effective user is held to the permission
// bits, root included: the capabilities that override them are set aside.
class PermissionBitsCount {
 public:
  PermissionBitsCount() {
    if (::syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
    const unsigned overriding = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    reduced[0].effective &= ~overriding;
    active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
  }
  ~PermissionBitsCount() {
    if (active_) ::syscall(SYS_capset, &header_, saved_);
  }
  bool Active() const { return active_ || ::geteuid() != 0; }

 private:
  __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved_[2] = {};
  bool active_ = false;
};

// One result row: Location, Name, Size, Type, Modified and the image.
struct Row {
  std::string location, name, size, type, modified;
  int image = -1;
  bool operator<(const Row& o) const { return std::tie(location, name) < std::tie(o.location, o.name); }
};

class SearchTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    platform::RegionalSettings settings;
    settings.shortDateFormat = "dd/mm/yyyy";
    settings.longTimeFormat = "hh:nn:ss";
    platform::SetRegionalSettings(settings);
    WriteFile(RegInfoFile(), "PX41\r\n.TXT; Text Document; -; 0; 1;\r\n");
    for (const char* name : {"readme.txt", "READ.ME", "README", "b.Txt", "Sub/deep.txt", "Sub/Makefile"})
      WriteFile(drive_ / "Data" / name);
    WriteFile(drive_ / "top.txt");
  }

  void TearDown() override {
    delete SearchForm;
    SearchForm = nullptr;
    platform::UseSystemRegionalSettings();
    MainWindowTest::TearDown();
  }

  /// The main window and the dialog, as the start-up makes them.
  void OpenDialog() {
    OpenWindow();
    Application->CreateForm(SearchForm);
  }

  static void Search(const std::string& lookIn, const std::string& mask, bool subDirs) {
    SearchForm->LookIn_E->SetText(lookIn);
    SearchForm->Name_E->SetText(mask);
    SearchForm->SubDir_CB->SetChecked(subDirs);
    SearchForm->Ok_B->Click();
  }

  static std::vector<Row> Rows() {
    std::vector<Row> rows;
    TListItems* items = SearchForm->FilesFound->Items();
    for (int i = 0; i < items->Count(); ++i) {
      TListItem* item = items->Item(i);
      const TSubItems* sub = item->SubItems();
      rows.push_back(
          {item->Caption(), sub->Strings(0), sub->Strings(1), sub->Strings(2), sub->Strings(3), item->ImageIndex()});
    }
    return rows;
  }

  /// The rows' locations and names, after checking the rows come sorted by
  /// location, and the rows of one location by name.
  static std::vector<std::pair<std::string, std::string>> Hits() {
    const std::vector<Row> rows = Rows();
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const Row& a = rows[i - 1];
      const Row& b = rows[i];
      EXPECT_LE(AnsiCompareStr(a.location, b.location), 0) << b.location;
      if (a.location == b.location) {
        EXPECT_LE(AnsiCompareText(a.name, b.name), 0) << b.name;
      }
    }
    std::vector<std::pair<std::string, std::string>> hits;
    for (const Row& row : rows) hits.emplace_back(row.location, row.name);
    std::sort(hits.begin(), hits.end());
    return hits;
  }

  /// What the dialog shows once no search runs.
  static void ExpectIdle() {
    EXPECT_EQ(SearchForm->Cancel_B->Caption(), "Close");
    EXPECT_TRUE(SearchForm->Ok_B->Enabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
  }
};

using Hit = std::pair<std::string, std::string>;

TEST_F(SearchTest, FindsTheNamesTheMaskMatchesInTheFolderAndWhenAskedItsSubFolders) {
  struct Case {
    const char* lookIn;
    const char* mask;
    bool subDirs;
    std::vector<Hit> hits;
  };
  const Case cases[] = {
      // An empty mask and a single star are "*.*": a name without a dot is
      // never found.
      {"C:\\Data", "", false, {{"C:\\Data\\", "READ.ME"}, {"C:\\Data\\", "b.Txt"}, {"C:\\Data\\", "readme.txt"}}},
      {"C:\\Data\\", "*", false, {{"C:\\Data\\", "READ.ME"}, {"C:\\Data\\", "b.Txt"}, {"C:\\Data\\", "readme.txt"}}},
      // Case is ignored; folders are never rows.
      {"C:\\Data",
       "*.TXT",
       true,
       {{"C:\\Data\\", "b.Txt"}, {"C:\\Data\\", "readme.txt"}, {"C:\\Data\\Sub\\", "deep.txt"}}},
      {"C:\\Data", "S*", true, {}},
      // The location keeps the spelling typed.
      {"c:\\data", "Make*", true, {{"c:\\data\\Sub\\", "Makefile"}}},
      // An empty Look In is the root of the current folder's drive.
      {"", "*.txt", false, {{"\\", "top.txt"}}},
  };
  OpenDialog();
  ScriptedMessageBoxes boxes;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lookIn) + " " + c.mask);
    Search(c.lookIn, c.mask, c.subDirs);
    EXPECT_EQ(Hits(), c.hits);
    EXPECT_EQ(SearchForm->FoundCount, static_cast<int>(c.hits.size()));
    EXPECT_EQ(SearchForm->Found_L->Caption(), std::to_string(c.hits.size()) + " Files Found");
    ExpectIdle();
  }
  EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(SearchTest, SizeBoundsAreInclusiveAndCountInTheirUnits) {
  for (int size : {9999, 10000, 10001})
    WriteFile(drive_ / "Sizes" / (std::to_string(size) + ".bin"), std::string(size, 'x'));
  struct Bound {
    bool ticked;
    const char* number;
    const char* unit;
  };
  struct Case {
    Bound least, most;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {{true, "10", "Kb"}, {false, "0", "Kb"}, {"10000.bin", "10001.bin"}},
      {{false, "0", "Kb"}, {true, "10", "Kb"}, {"10000.bin", "9999.bin"}},
      {{true, "10000", "B"}, {true, "10001", "B"}, {"10000.bin", "10001.bin"}},
      {{true, "1", "Mb"}, {false, "0", "Kb"}, {}},
      // The lower bound above the upper finds nothing.
      {{true, "20", "Kb"}, {true, "10", "Kb"}, {}},
  };
  OpenDialog();
  TSearchForm* form = SearchForm;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.least.number) + c.least.unit + " " + c.most.number + c.most.unit);
    // The numbers are typed into the edits, as a user would.
    form->SLeast_CB->SetChecked(c.least.ticked);
    form->SLeast_E->SetText(c.least.number);
    form->SLeastUnit->SetText(c.least.unit);
    form->SMost_CB->SetChecked(c.most.ticked);
    form->SMost_E->SetText(c.most.number);
    form->SMostUnit->SetText(c.most.unit);
    Search("C:\\Sizes", "*.bin", false);
    std::vector<std::string> names;
    for (const Row& row : Rows()) names.push_back(row.name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(form->Found_L->Caption(), std::to_string(c.names.size()) + " Files Found");
  }
}

TEST_F(SearchTest, BoundsAreExactForEveryUnitUpToTheUpDownsTop) {
  OpenDialog();
  TSearchForm* form = SearchForm;
  EXPECT_EQ(form->SLeastUnit->Text(), "Kb");
  EXPECT_EQ(form->SLeast_UD->Max(), 32000);
  struct Case {
    const char* typed;
    const char* unit;
    std::int64_t bound;
  };
  const Case cases[] = {
      {"32000", "Kb", 32000LL * 1000},
      {"32000", "Gb", 32000LL * 1000000000},
      {"3", "Mb", 3000000},
      {"7", "B", 7},
      // Text that is no number in range leaves the up-down where it was.
      {"40000", "B", 7},
      {"x", "Kb", 7000},
  };
  form->SLeast_CB->SetChecked(true);
  for (const Case& c : cases) {
    form->SLeast_E->SetText(c.typed);
    form->SLeastUnit->SetText(c.unit);
    Search("C:\\Data", "*.*", false);
    EXPECT_EQ(form->MinSize, c.bound) << c.typed << " " << c.unit;
  }
  // Stepping stops at the top instead of wrapping.
  form->SLeast_E->SetText("31995");
  form->SLeast_UD->Click(btNext);
  EXPECT_EQ(form->SLeast_E->Text(), "32000");
  form->SLeast_UD->Click(btNext);
  EXPECT_EQ(form->SLeast_UD->Position(), 32000);

  // A bound's unit must be one of the four; the search does not start.
  ScriptedMessageBoxes boxes;
  form->SLeastUnit->SetText("kb");
  Search("C:\\Data", "*.*", false);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"'kb' is not a size unit: choose B, Kb, Mb or Gb"}));
  ExpectIdle();
}

TEST_F(SearchTest, ARowShowsFolderNameSizeTypeAndTheFirstNineCharactersOfTheTime) {
  WriteFile(drive_ / "Rows" / "a.txt", std::string(1234, 'x'));
  WriteFile(drive_ / "Rows" / "data.xyz");
  WriteFile(drive_ / "Rows" / "Makefile");
  const std::time_t when = testing_support::LocalTime(2002, 1, 29, 10, 15);
  for (const char* name : {"a.txt", "data.xyz", "Makefile"}) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (drive_ / "Rows" / name).c_str(), times, 0), 0);
  }
  OpenDialog();
  int i = 0, j = 0, k = 0;
  ASSERT_TRUE(MainForm->FileExt->CheckExists(".txt", i, j, k));
  const int textImage = MainForm->FileExt->GetExtSearch(i, j, k).ImageIndex;

  Search("C:\\Rows", "*a*", false);
  std::vector<Row> rows = Rows();
  std::sort(rows.begin(), rows.end());
  ASSERT_EQ(rows.size(), 3u);
  const std::string at = "C:\\Rows\\";
  const struct {
    const char* name;
    std::string size, type;
    int image;
  } expected[] = {
      {"Makefile", SizeToStr(1), " File", -1},
      {"a.txt", SizeToStr(1234), "Text Document", textImage},
      {"data.xyz", SizeToStr(1), ".XYZ File", -1},
  };
  for (std::size_t n = 0; n < rows.size(); ++n) {
    EXPECT_EQ(rows[n].location, at);
    EXPECT_EQ(rows[n].name, expected[n].name);
    EXPECT_EQ(rows[n].size, expected[n].size);
    EXPECT_EQ(rows[n].type, expected[n].type);
    EXPECT_EQ(rows[n].image, expected[n].image);
    EXPECT_EQ(rows[n].modified, "29/01/200");
  }
  EXPECT_EQ(SearchForm->FilesFound->SmallImages(), MainForm->FileExt->SmallIcons);
  EXPECT_EQ(SearchForm->FilesFound->LargeImages(), MainForm->FileExt->LargeIcons);
}

TEST_F(SearchTest, CancelKeepsTheRowsFoundSoFarSortedAndCounted) {
  // Enough files that the search is still running when the window messages
  // first get their turn, a few milliseconds in.
  constexpr int kPerFolder = 3000;
  for (int n = 0; n < kPerFolder; ++n) {
    WriteFile(drive_ / "Many" / ("f" + std::to_string(n) + ".txt"));
    WriteFile(drive_ / "Many" / "Inner" / ("g" + std::to_string(n) + ".txt"));
  }
  OpenDialog();
  TSearchForm* form = SearchForm;
  std::string captionDuring;
  TCursor cursorDuring = crDefault;
  bool okDuring = true;
  // Runs while the search lets the window messages through: once a few rows
  // are in, the user presses Cancel.
  QTimer user;
  user.setInterval(0);
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (form->FoundCount < 5) return;
    captionDuring = form->Cancel_B->Caption();
    cursorDuring = Screen->Cursor();
    okDuring = form->Ok_B->Enabled();
    form->Cancel_B->Click();
    user.stop();
  });
  user.start();
  Search("C:\\Many", "*.txt", true);

  EXPECT_EQ(captionDuring, "Cancel");
  EXPECT_EQ(cursorDuring, crAppStart);
  EXPECT_FALSE(okDuring) << "no second search inside a running one";
  const auto hits = Hits();
  EXPECT_GE(hits.size(), 5u);
  EXPECT_LT(hits.size(), 2u * kPerFolder);
  EXPECT_EQ(form->FoundCount, static_cast<int>(hits.size()));
  EXPECT_EQ(form->Found_L->Caption(), std::to_string(hits.size()) + " Files Found");
  ExpectIdle();

  // The next search starts uncancelled.
  user.stop();
  Search("C:\\Many", "*.txt", true);
  EXPECT_EQ(Hits().size(), 2u * kPerFolder);
}

TEST_F(SearchTest, CloseHidesTheDialogAndKeepsTheResults) {
  OpenDialog();
  SearchForm->Show();
  Search("C:\\Data", "readme.*", false);
  EXPECT_EQ(SearchForm->Found_L->Caption(), "1 Files Found");
  SearchForm->Cancel_B->Click();
  EXPECT_FALSE(SearchForm->Visible());
  EXPECT_EQ(Rows().size(), 1u);
  EXPECT_EQ(SearchForm->Name_E->Text(), "readme.*");
}

TEST_F(SearchTest, ProblemsAreReportedAndLeaveNoRows) {
  struct Case {
    const char* lookIn;
    const char* mask;
    const char* message;
  };
  const Case cases[] = {
      {"X:\\NoSuchFolder", "*.*", "Can't change directory to X:\\NoSuchFolder\\"},
      {"C:\\NoSuchFolder\\", "*.*", "Can't change directory to C:\\NoSuchFolder\\"},
      // The mask is found invalid at the first file it is tested on.
      {"C:\\Data", "[abc", "'[abc' is an invalid mask at (5)"},
  };
  OpenDialog();
  EXPECT_EQ(SearchForm->Found_L->Caption(), "What do you want to search for?");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lookIn);
    Search("C:\\Data", "*.*", false);  // rows of an earlier search
    ScriptedMessageBoxes boxes;
    Search(c.lookIn, c.mask, true);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(SearchForm->Found_L->Caption(), "");
    ExpectIdle();
  }
}

TEST_F(SearchTest, ASubFolderThatCannotBeEnteredIsReportedAndTheSearchGoesOn) {
  WriteFile(drive_ / "Data" / "Locked" / "x.txt");
  OpenDialog();
  ScriptedMessageBoxes boxes;
  {
    PermissionBitsCount bits;
    if (!bits.Active()) GTEST_SKIP() << "the capabilities that override permission bits cannot be set aside";
    ::chmod((drive_ / "Data" / "Locked").c_str(), 0);
    Search("C:\\Data", "*.txt", true);
    ::chmod((drive_ / "Data" / "Locked").c_str(), 0755);
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Can't change directory to C:\\Data\\Locked\\"});
  EXPECT_EQ(Hits().size(), 3u);
}

TEST_F(SearchTest, ALinkToAFolderIsNeverEntered) {
  std::filesystem::create_directory_symlink(drive_ / "Data", drive_ / "Data" / "Sub" / "Back");
  std::filesystem::create_directory_symlink(drive_ / "Data" / "Sub", drive_ / "Data" / "SubToo");
  OpenDialog();
  Search("C:\\Data", "deep.txt", true);
  // Neither a link back into the path nor one to a folder beside it is
  // searched: the folder is found once, by its own path.
  EXPECT_EQ(Hits(), (std::vector<Hit>{{"C:\\Data\\Sub\\", "deep.txt"}}));
  // A link is a hit by its own name.
  Search("C:\\Data", "SubToo", true);
  EXPECT_EQ(Hits(), (std::vector<Hit>{{"C:\\Data\\", "SubToo"}}));
}

TEST_F(SearchTest, ActivationTakesTheMainTreesFolderAndLeavesTheCurrentFolderAlone) {
  OpenDialog();
  MainForm->DirList->SetDirectory("C:\\Data\\Sub");
  // The main list may show another folder than the tree's last one.
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\Data"));
  SearchForm->LookIn_E->SetText("typed before");
  SearchForm->Show();
  EXPECT_EQ(SearchForm->LookIn_E->Text(), "C:\\Data\\Sub\\");
  EXPECT_EQ(SearchForm->LocDir->Location, "C:\\Data\\Sub\\");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");

  Search("C:\\", "*.*", true);
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data");
}

TEST_F(SearchTest, ThePickerIsShownAndHiddenAndItsOkTakesItsFolder) {
  OpenDialog();
  TSearchForm* form = SearchForm;
  EXPECT_FALSE(form->Loc_P->Visible());
  EXPECT_TRUE(form->LocDir->ReadOnly());
  EXPECT_EQ(form->LocDir->FileList, nullptr);
  EXPECT_EQ(form->LocDir->DirLabel, nullptr);
  EXPECT_FALSE(form->Browse_B->Glyph()->Empty());

  form->Browse_B->Click();
  EXPECT_TRUE(form->Loc_P->Visible());
  form->LocDir->Location = "C:\\Data";  // what a click on its node leaves
  form->Browse_B->Click();
  EXPECT_FALSE(form->Loc_P->Visible());
  EXPECT_EQ(form->LookIn_E->Text(), "C:\\") << "hiding by the folder button takes nothing";

  form->Browse_B->Click();
  form->Loc_B->Click();
  EXPECT_FALSE(form->Loc_P->Visible());
  EXPECT_EQ(form->LookIn_E->Text(), "C:\\Data");
}

TEST_F(SearchTest, LayoutFollowsTheSizeAndTheLookAndTheSizeIsSavedOnClose) {
  WriteFile(SettingsFile(), "[VIEW]\r\nSearchWidth=700\r\nSearchHeight=500\r\n");
  OpenDialog();
  TSearchForm* form = SearchForm;
  EXPECT_EQ(form->Width(), 700);
  EXPECT_EQ(form->Height(), 500);
  PXManager->BackCl = clRed;
  PXManager->Font->SetName("Courier New");
  form->Show();
  form->SetWidth(900);
  form->SetHeight(650);
  Application->ProcessMessages();

  EXPECT_EQ(form->Color(), clRed);
  EXPECT_EQ(form->Font()->Name(), "Courier New");
  EXPECT_EQ(form->Ok_B->Left(), 900 - 89 - 20);
  EXPECT_EQ(form->Cancel_B->Left(), 900 - 89 - 20);
  EXPECT_EQ(form->Ok_B->Top(), 53);
  EXPECT_EQ(form->SPageControl->Left(), 6);
  EXPECT_EQ(form->SPageControl->Top(), 6);
  EXPECT_EQ(form->SPageControl->Width(), form->Ok_B->Left() - 12);
  EXPECT_EQ(form->SPageControl->Height(), 152);
  EXPECT_EQ(form->Found_L->Top(), 650 - form->Found_L->Height() - 30);
  EXPECT_EQ(form->FilesFound->Left(), 6);
  EXPECT_EQ(form->FilesFound->Top(), 6 + 152 + 6);
  EXPECT_EQ(form->FilesFound->Width(), 900 - 20);
  EXPECT_EQ(form->FilesFound->Top() + form->FilesFound->Height(), form->Found_L->Top() - 6);

  MainForm->Close();
  const std::string saved = ReadFile(SettingsFile());
  for (const char* key : {"SearchWidth=900\r\n", "SearchHeight=650\r\n", "SearchWS=0\r\n"})
    EXPECT_NE(saved.find(key), std::string::npos) << key;
}

}  // namespace
}  // namespace app_test
