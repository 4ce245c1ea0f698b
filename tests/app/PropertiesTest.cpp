// The properties dialog: the file, drive and folder pages, what OK and
// Cancel change, the disk tools and the dialog's settings.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "app/PXManager.h"
#include "app/Properties.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/chart/PieSeries.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/TabSheet.h"
#include "framework/forms/Application.h"
#include "framework/forms/Button.h"
#include "framework/graphics/Font.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/Drives.h"
#include "platform/drives/Folders.h"
#include "platform/files/FileAttributes.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/NoFileOverrides.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

using testing_support::SetDosAttrib;

using testing_support::LocalTime;

void SetTimes(const fs::path& path, std::time_t accessed, std::time_t modified) {
  const timespec times[2] = {{accessed, 0}, {modified, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// C:\Data holds the files; the file-type table knows ".TXT". The dialog is
// made after the main window, as the entry makes it.
class Properties : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    hostCwd_ = fs::current_path();
    data_ = drive_ / "Data";
    fs::create_directories(data_);
    WriteFile(RegInfoFile(), "PX41\r\n.TXT; Text Document; -; 0; 3;\r\n");
  }

  void TearDown() override {
    delete PropForm;
    PropForm = nullptr;
    MainWindowTest::TearDown();
    fs::current_path(hostCwd_);
    platform::ForgetCurrentFolder();
  }

  void Open() {
    OpenWindow();
    Application->CreateForm(PropForm);
  }

  // Lists C:\Data as the tree would open it and selects the named files.
  void Select(const std::vector<std::string>& names) {
    MainForm->DirList->Location = "C:\\Data\\";
    MainForm->FileList->SetDirectory("C:\\Data\\");
    MainForm->FileList->Refresh_List();
    TListItems* items = MainForm->FileList->Items();
    for (int i = 0; i < items->Count(); ++i) {
      const std::string caption = (*items)[i]->Caption();
      (*items)[i]->SetSelected(std::find(names.begin(), names.end(), caption) != names.end());
    }
    ASSERT_EQ(MainForm->FileList->SelCount(), static_cast<int>(names.size()));
  }

  // Shows the dialog on a page; every showing is an activation.
  void ShowPage(int kind) {
    PropForm->Hide();
    PropForm->PageKind = static_cast<std::int8_t>(kind);
    PropForm->Show();
  }

  bool ListHas(const std::string& name) const {
    TListItems* items = MainForm->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == name) return true;
    return false;
  }

  fs::path hostCwd_, data_;
  testing_support::ScriptedMessageBoxes boxes_;
};

TEST_F(Properties, FilePageShowsTypeSizeDatesAndAttributes) {
  WriteFile(data_ / "a.txt", std::string(1500, 'x'));
  WriteFile(data_ / "plain", "12345");
  WriteFile(data_ / "b.xyz", "");
  SetTimes(data_ / "a.txt", LocalTime(2026, 12, 9, 8, 5, 30), LocalTime(2001, 3, 5, 14, 7, 59));
  const bool xattrs = SetDosAttrib(data_ / "a.txt", "0x26");  // hidden, system, archive
  fs::permissions(data_ / "a.txt", fs::perms::owner_read | fs::perms::group_read);
  Open();

  Select({"a.txt"});
  ShowPage(0);
  EXPECT_EQ(PropForm->PageControl->ActivePage(), PropForm->FileProp);
  for (TTabSheet* hidden : {PropForm->DriveProp, PropForm->ToolsCtrl, PropForm->DirProp})
    EXPECT_FALSE(hidden->TabVisible()) << hidden->Caption();
  EXPECT_EQ(PropForm->Caption(), "Properties for a.txt");
  EXPECT_EQ(PropForm->FileName_E->Text(), "a.txt");
  EXPECT_EQ(PropForm->Report1_L->Caption(), "Text Document");
  EXPECT_EQ(PropForm->Report2_L->Caption(), "C:\\Data\\");
  EXPECT_EQ(PropForm->Report3_L->Caption(), "1.50 Kb: (1500 bytes)");
  EXPECT_EQ(PropForm->Report4_L->Caption().size(), 16u);
  EXPECT_EQ(PropForm->Report5_L->Caption(), "05/03/2001 14:07");
  EXPECT_EQ(PropForm->Report6_L->Caption(), "09/12/2026 08:05");
  EXPECT_TRUE(PropForm->ReadOnly_CB->Checked());
  if (xattrs) {
    EXPECT_TRUE(PropForm->Archive_CB->Checked());
    EXPECT_TRUE(PropForm->Hidden_CB->Checked());
    EXPECT_TRUE(PropForm->System_CB->Checked());
  }

  const struct {
    const char* name;
    const char* size;
  } unknown[] = {{"plain", "5.00 B: (5 bytes)"}, {"b.xyz", "0.00 B: (0 bytes)"}};
  for (const auto& c : unknown) {
    Select({c.name});
    ShowPage(0);
    EXPECT_EQ(PropForm->Report1_L->Caption(), "Unknown") << c.name;
    EXPECT_EQ(PropForm->Report3_L->Caption(), c.size) << c.name;
    EXPECT_TRUE(PropForm->Archive_CB->Checked()) << "a file without stored bits counts as archived";
    EXPECT_FALSE(PropForm->ReadOnly_CB->Checked()) << c.name;
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, DatesAreDayMonthYearAndMinutesCut) {
  Open();
  const struct {
    std::time_t time;
    const char* text;
  } cases[] = {
      {LocalTime(2001, 3, 5, 14, 7, 59), "05/03/2001 14:07"},
      {LocalTime(1999, 12, 31, 23, 59, 59), "31/12/1999 23:59"},
      {LocalTime(2030, 1, 1, 0, 0, 0), "01/01/2030 00:00"},
      {LocalTime(1969, 7, 20, 20, 17, 40), "20/07/1969 20:17"},
  };
  for (const auto& c : cases) EXPECT_EQ(PropForm->FormatFileTime(c.time), c.text) << c.text;
}

TEST_F(Properties, EveryActivationFillsAgainButNoSelectionKeepsThePage) {
  WriteFile(data_ / "a.txt", "a");
  WriteFile(data_ / "b.txt", "bb");
  Open();
  Select({"b.txt", "a.txt"});
  ShowPage(0);
  EXPECT_EQ(PropForm->FileName_E->Text(), "a.txt") << "the first in list order";
  PropForm->FileName_E->SetText("edited");
  PropForm->Hidden_CB->SetChecked(true);
  ShowPage(0);
  EXPECT_EQ(PropForm->FileName_E->Text(), "a.txt");
  EXPECT_FALSE(PropForm->Hidden_CB->Checked());

  Select({});
  ShowPage(0);
  EXPECT_EQ(PropForm->Caption(), "Properties for a.txt");
  EXPECT_EQ(PropForm->Report3_L->Caption(), "1.00 B: (1 bytes)");
  // OK then has no file to act on and changes nothing.
  PropForm->FileName_E->SetText("renamed.txt");
  PropForm->Ok_B->Click();
  EXPECT_TRUE(fs::exists(data_ / "a.txt"));
  EXPECT_FALSE(fs::exists(data_ / "renamed.txt"));
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, AFileThatHasGoneShowsBothMessagesAndCloses) {
  WriteFile(data_ / "gone.txt", "x");
  Open();
  Select({"gone.txt"});
  fs::remove(data_ / "gone.txt");
  ShowPage(0);
  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"Unable to retrive file information", "Unable to retrive file Attributes"}));
  EXPECT_FALSE(PropForm->Visible());
}

TEST_F(Properties, OkWritesTheTickedAttributesAndRenames) {
  const struct {
    const char* start;  // stored bits; read-only comes from the permission
    bool readOnly;
    bool archive, hidden, system, readOnlyBox;
    std::uint32_t written;
  } cases[] = {
      {"0x20", true, true, true, false, true, 35},
      {"0x26", true, false, false, false, false, 0},
      {"0x20", false, false, false, true, false, FILE_ATTRIBUTE_SYSTEM},
  };
  Open();
  for (const auto& c : cases) {
    WriteFile(data_ / "f.txt", "f");
    if (!SetDosAttrib(data_ / "f.txt", c.start)) GTEST_SKIP() << "no extended attributes here";
    if (c.readOnly) fs::permissions(data_ / "f.txt", fs::perms::owner_read);
    WriteFile(data_ / "z.txt", "z");
    Select({"f.txt", "z.txt"});
    ShowPage(0);
    PropForm->Archive_CB->SetChecked(c.archive);
    PropForm->Hidden_CB->SetChecked(c.hidden);
    PropForm->System_CB->SetChecked(c.system);
    PropForm->ReadOnly_CB->SetChecked(c.readOnlyBox);
    PropForm->FileName_E->SetText("g.txt");
    PropForm->Ok_B->Click();
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\g.txt"), c.written) << c.start;
    EXPECT_FALSE(fs::exists(data_ / "f.txt"));
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\z.txt"), FILE_ATTRIBUTE_ARCHIVE) << "only the first selected file";
    EXPECT_TRUE(ListHas("g.txt")) << "the list is read again";
    EXPECT_FALSE(PropForm->Visible());
    fs::permissions(data_ / "g.txt", fs::perms::owner_all);
    fs::remove(data_ / "g.txt");
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, OkWithoutChangesOnlyReadsTheListAgainAndCancelChangesNothing) {
  WriteFile(data_ / "a.txt", "a");
  Open();
  for (TButton* TPropForm::*button : {&TPropForm::Ok_B, &TPropForm::Cancel_B}) {
    Select({"a.txt"});
    ShowPage(0);
    const std::uint32_t before = GetFileAttributesA("C:\\Data\\a.txt");
    WriteFile(data_ / "new.txt", "n");
    if (button == &TPropForm::Cancel_B) {
      PropForm->FileName_E->SetText("b.txt");
      PropForm->ReadOnly_CB->SetChecked(true);
    }
    (PropForm->*button)->Click();
    EXPECT_FALSE(PropForm->Visible());
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\a.txt"), before);
    EXPECT_FALSE(fs::exists(data_ / "b.txt"));
    EXPECT_EQ(ListHas("new.txt"), button == &TPropForm::Ok_B);
    fs::remove(data_ / "new.txt");
  }
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, ARenameThatFailsIsReported) {
  WriteFile(data_ / "a.txt", "a");
  WriteFile(data_ / "taken.txt", "taken");
  Open();
  for (const char* name : {"taken.txt", ""}) {
    boxes_.Clear();
    Select({"a.txt"});
    ShowPage(0);
    PropForm->FileName_E->SetText(name);
    PropForm->Ok_B->Click();
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Unable to rename File"}) << name;
    EXPECT_FALSE(PropForm->Visible());
    EXPECT_EQ(ReadFile(data_ / "a.txt"), "a");
    EXPECT_EQ(ReadFile(data_ / "taken.txt"), "taken");
  }
}

TEST_F(Properties, FolderPageCountsTheWholeTree) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, int>> files;  // path below the folder, size
    std::vector<const char*> folders;
    const char* contains;
    const char* size;
  };
  const Case cases[] = {
      {"Empty", {}, {}, "0 Files", "0.00 B: (0 bytes)"},
      {"One", {{"B/f", 7}}, {}, "1 Directory, 1 File", "7.00 B: (7 bytes)"},
      {"Three", {{"a", 1}, {"b", 2}, {"c", 3}}, {}, "3 Files", "6.00 B: (6 bytes)"},
      {"Deep", {}, {"B/C"}, "2 Directories, 0 Files", "0.00 B: (0 bytes)"},
      {"Hidden", {{".dot", 1000}, {"sys", 500}, {"X/Y/Z/z", 2}}, {}, "3 Directories, 3 Files", "1.50 Kb: (1502 bytes)"},
  };
  Open();
  for (const Case& c : cases) {
    const fs::path folder = data_ / c.name;
    fs::create_directories(folder);
    for (const auto& [path, size] : c.files) WriteFile(folder / path, std::string(static_cast<std::size_t>(size), 'x'));
    for (const char* path : c.folders) fs::create_directories(folder / path);
    if (fs::exists(folder / "sys")) SetDosAttrib(folder / "sys", "0x24");

    MainForm->DirList->Location = std::string("C:\\Data\\") + c.name;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Data"));
    ShowPage(2);
    EXPECT_EQ(PropForm->PageControl->ActivePage(), PropForm->DirProp);
    EXPECT_EQ(PropForm->IContains_L->Caption(), c.contains) << c.name;
    EXPECT_EQ(PropForm->ISize_L->Caption(), c.size) << c.name;
    EXPECT_EQ(PropForm->Caption(), std::string("Properties for C:\\Data\\") + c.name);
    EXPECT_EQ(PropForm->IDirName_E->Text(), c.name);
    EXPECT_EQ(PropForm->ILocation_L->Caption(), "C:\\Data");
    EXPECT_EQ(PropForm->IFileType_L->Caption(), "Directory");
    EXPECT_EQ(PropForm->ICreated_L->Caption().size(), 16u);
    EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Data") << "the walk leaves the current folder as it was";
  }
  // A trailing backslash, as SetDirectory leaves it, names the same folder.
  MainForm->DirList->Location = "C:\\Data\\";
  ShowPage(2);
  EXPECT_EQ(PropForm->ILocation_L->Caption(), "C:\\");
  EXPECT_EQ(PropForm->IDirName_E->Text(), "Data");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, AFolderThatCannotBeEnteredCountsAndIsReportedOnce) {
  // Root would enter every folder: the walk runs as the user it is for.
  const testing_support::NoFileOverrides asUser;
  if (!asUser.Held()) GTEST_SKIP() << "the permission overrides could not be dropped";
  WriteFile(data_ / "Top" / "Locked" / "inside", "secret");
  WriteFile(data_ / "Top" / "ok", "12");
  fs::permissions(data_ / "Top" / "Locked", fs::perms::none);
  Open();
  MainForm->DirList->Location = "C:\\Data\\Top";
  ShowPage(2);
  fs::permissions(data_ / "Top" / "Locked", fs::perms::owner_all);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Unable to Change directory to: C:\\Data\\Top\\Locked\\"});
  EXPECT_EQ(PropForm->IContains_L->Caption(), "1 Directory, 1 File");
  EXPECT_EQ(PropForm->ISize_L->Caption(), "2.00 B: (2 bytes)");
}

TEST_F(Properties, ALinkToAnAncestorIsCountedAsTheLinkItIs) {
  WriteFile(data_ / "Top" / "Sub" / "f", "123");
  fs::create_directory_symlink(data_ / "Top", data_ / "Top" / "Sub" / "Back");
  Open();
  MainForm->DirList->Location = "C:\\Data\\Top";
  ShowPage(2);
  EXPECT_EQ(PropForm->IContains_L->Caption(), "1 Directory, 2 Files") << "the link counts as the file it is";
  const auto linkSize = (data_ / "Top").string().size();
  EXPECT_EQ(PropForm->ISize_L->Caption(),
            SizeToStr(static_cast<long double>(3 + linkSize)) + ": (" + std::to_string(3 + linkSize) + " bytes)");
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(Properties, AFolderThatIsNotThereIsReportedAndCountsNothing) {
  Open();
  const struct {
    const char* location;
    std::vector<std::string> messages;
  } cases[] = {
      {"C:\\Data\\Gone", {"Unable to retrive file information", "Unable to Change directory to: C:\\Data\\Gone\\"}},
      {"", {"Unable to retrive file information"}},  // before the tree opened anything
  };
  for (const auto& c : cases) {
    boxes_.Clear();
    MainForm->DirList->Location = c.location;
    ShowPage(2);
    EXPECT_EQ(boxes_.Texts(), c.messages) << c.location;
    EXPECT_EQ(PropForm->IContains_L->Caption(), "0 Files") << c.location;
    EXPECT_FALSE(PropForm->Visible());
  }
}

TEST_F(Properties, OkRenamesTheFolderOrReportsWhyNot) {
  fs::create_directories(data_ / "Old");
  fs::create_directories(data_ / "Taken");
  Open();
  MainForm->DirList->Location = "C:\\Data\\Old";
  ShowPage(2);
  PropForm->IDirName_E->SetText("Taken");
  PropForm->Ok_B->Click();
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Unable to rename Directory"});
  EXPECT_TRUE(fs::is_directory(data_ / "Old"));
  EXPECT_FALSE(PropForm->Visible());

  boxes_.Clear();
  ShowPage(2);
  PropForm->IDirName_E->SetText("New");
  PropForm->Ok_B->Click();
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(fs::is_directory(data_ / "New"));
  EXPECT_FALSE(fs::exists(data_ / "Old"));
  EXPECT_EQ(MainForm->DirList->Location, "C:\\Data\\New") << "the tree's location follows the folder";
}

class PropertiesOfADrive : public Properties {
 protected:
  void SetUp() override {
    Properties::SetUp();
    fs::create_directories(drive_ / "D");
    platform::SetDriveMap({{'C', drive_.string(), 3}, {'D', (drive_ / "D").string(), 3}});
  }

  void SelectNode(const std::string& text) {
    for (TTreeNode* node = MainForm->DirList->Items()->GetFirstNode(); node != nullptr; node = node->GetNext()) {
      if (node->Text() == text) {
        MainForm->DirList->SetSelected(node);
        return;
      }
    }
    FAIL() << "no node " << text;
  }
};

TEST_F(PropertiesOfADrive, DrivePageShowsTheSpaceAndThePie) {
  Open();
  SelectNode("(D:)");
  ShowPage(1);
  EXPECT_EQ(PropForm->PageControl->ActivePage(), PropForm->DriveProp);
  EXPECT_TRUE(PropForm->ToolsCtrl->TabVisible());
  EXPECT_FALSE(PropForm->FileProp->TabVisible());
  EXPECT_EQ(PropForm->Caption(), "Properties for D:");
  EXPECT_EQ(PropForm->DiskInfo.Drive, "D:");
  EXPECT_EQ(PropForm->DriveName_E->Text(), GetVolumeInformationA("D:\\")->volumeName);

  // Free space moves while other programs write; the figures must agree with each other.
  const std::regex form(R"(\d+\.\d\d (B|Kb|Mb|Gb) \((\d+) bytes\))");
  double figures[3] = {};
  const TLabel* labels[] = {PropForm->DriveSize_L, PropForm->DriveFree_L, PropForm->DriveUsed_L};
  for (int i = 0; i < 3; ++i) {
    std::smatch match;
    const std::string caption = labels[i]->Caption();
    ASSERT_TRUE(std::regex_match(caption, match, form)) << caption;
    figures[i] = std::stod(match[2].str());
  }
  EXPECT_EQ(figures[0], static_cast<double>(GetDiskFreeSpaceExA("D:")->totalNumberOfBytes));
  EXPECT_EQ(figures[1] + figures[2], figures[0]);

  const TPieSeries* pie = PropForm->Series1;
  ASSERT_EQ(pie->Count(), 2);
  EXPECT_EQ(pie->Value(0), figures[1]);
  EXPECT_EQ(pie->Label(0), "Free Space");
  EXPECT_EQ(pie->ValueColor(0), clFuchsia);
  EXPECT_EQ(pie->Value(1), figures[2]);
  EXPECT_EQ(pie->Label(1), "Used Space");
  EXPECT_EQ(pie->ValueColor(1), clBlue);

  // At a later activation the selected node is no drive: no figures, no pie.
  SelectNode("My Computer");
  ShowPage(1);
  EXPECT_EQ(PropForm->DiskInfo.Drive, "");
  EXPECT_EQ(PropForm->DriveSize_L->Caption(), "");
  EXPECT_EQ(PropForm->Series1->Count(), 0);
  EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(PropertiesOfADrive, OkOnALabelChecksItAndReportsThatItCannotBeSet) {
  Open();
  const struct {
    const char* old;
    const char* typed;
    std::vector<std::string> messages;
  } cases[] = {
      {"", "", {}},
      {"DATA", "DATA", {}},
      {"DATA", "", {"You must specify a name"}},
      {"", "NEW", {"Unable to change volume label"}},
  };
  for (const auto& c : cases) {
    boxes_.Clear();
    SelectNode("(D:)");
    ShowPage(1);
    PropForm->DiskInfo.VolumeLabel = c.old;
    PropForm->DriveName_E->SetText(c.typed);
    PropForm->Ok_B->Click();
    EXPECT_EQ(boxes_.Texts(), c.messages) << c.old << " -> " << c.typed;
    EXPECT_FALSE(PropForm->Visible());
  }
}

TEST_F(PropertiesOfADrive, DiskToolsStartFromTheWindowsFolderOnTheDrive) {
  const fs::path windows = programFolder_ / "Windows";
  const fs::path record = drive_ / "record";
  fs::copy_file(fs::path(PELLIX_TEST_HELPERS) / "record_args_gui", windows / "ScanDskw.exe");
  setenv("RECORD_ARGS_OUT", record.c_str(), 1);
  Open();
  SelectNode("(D:)");
  ShowPage(1);
  PropForm->ErrCheck_B->Click();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  unsetenv("RECORD_ARGS_OUT");
  EXPECT_EQ(ReadFile(record), windows.string() + "\n" + (windows / "ScanDskw.exe").string() + "\nD:\n");

  PropForm->Defrag_B->Click();
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"File not found: C:\\Pellix4\\Windows\\Defrag.exe"});
}

TEST_F(Properties, APageKindOutOfRangeShowsNoTabAndFillsNothing) {
  WriteFile(data_ / "a.txt", "a");
  Open();
  Select({"a.txt"});
  for (int kind : {3, -1}) {
    ShowPage(kind);
    EXPECT_EQ(PropForm->PageControl->ActivePage(), nullptr) << kind;
    EXPECT_EQ(PropForm->Caption(), "PropForm") << kind;
  }
}

TEST_F(Properties, TheDialogTakesItsSizeAndLookFromTheSettingsAndGivesBackItsSize) {
  WriteFile(SettingsFile(),
            "[ENV]\r\nFName=Courier New\r\nBackCl=255\r\n[VIEW]\r\nPropWidth=400\r\nPropHeight=500\r\n");
  Open();
  EXPECT_EQ(PropForm->Width(), 400);
  EXPECT_EQ(PropForm->Height(), 500);
  EXPECT_EQ(PropForm->BorderIcons(), biSystemMenu);
  PropForm->PageKind = 3;
  PropForm->Show();
  EXPECT_EQ(PropForm->Font()->Name(), "Courier New");
  EXPECT_EQ(PropForm->Color(), clRed);
  PropForm->Hide();
  PropForm->SetWidth(420);
  PropForm->SetHeight(520);
  MainForm->Close();
  const std::string settings = ReadFile(SettingsFile());
  EXPECT_NE(settings.find("PropWidth=420\r\nPropHeight=520\r\nPropWS=0\r\n"), std::string::npos) << settings;
}

}  // namespace
}  // namespace app_test
