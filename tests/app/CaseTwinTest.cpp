// Every command that acts on an item of the list acts on exactly the item
// shown: C:\Data held "readme" and its case twin "README" when the list was
// read; with "readme" gone since, the twin is never touched, and with it
// still there the command acts on it alone.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/Properties.h"
#include "components/FileList.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edit.h"
#include "framework/forms/Button.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "platform/drives/Folders.h"
#include "platform/files/FileAttributes.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/PrivateClipboard.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

class CaseTwin : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    hostCwd_ = fs::current_path();
    data_ = drive_ / "Data";
    WriteFile(data_ / "readme", "item");
    WriteFile(data_ / "README", "twin");
    fs::create_directories(drive_ / "Dst");
    OpenWindow("C:\\Data");
    Application->CreateForm(PropForm);
    ASSERT_EQ(MainForm->FileList->Items()->Count(), 2);
  }

  void TearDown() override {
    delete PropForm;
    PropForm = nullptr;
    MainWindowTest::TearDown();
    fs::current_path(hostCwd_);
    platform::ForgetCurrentFolder();
  }

  // A fresh drive and window for the next case.
  void Fresh() {
    TearDown();
    SetUp();
  }

 public:
  // Selects the listed "readme" alone.
  void SelectItem() {
    TListItems* items = MainForm->FileList->Items();
    for (int i = 0; i < items->Count(); ++i) (*items)[i]->SetSelected((*items)[i]->Caption() == "readme");
    ASSERT_EQ(MainForm->FileList->SelCount(), 1);
  }

  TListItem* Listed(const std::string& caption) {
    TListItems* items = MainForm->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == caption) return (*items)[i];
    return nullptr;
  }

  // Pastes the clipboard into C:\Dst.
  void PasteIntoDst() {
    MainForm->FileList->SetDirectory("C:\\Dst\\");
    MainForm->FileList->PasteFiles();
  }

  void ExpectTwinUntouched(const std::string& what) {
    EXPECT_EQ(ReadFile(data_ / "README"), "twin") << what;
    EXPECT_EQ(GetFileAttributesA("C:\\Data\\README"), FILE_ATTRIBUTE_ARCHIVE) << what;
    EXPECT_FALSE(fs::exists(drive_ / "Dst" / "README")) << what;
  }

  fs::path hostCwd_, data_;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::PrivateClipboard clipboard_;
};

// A command in two steps: what the user does while the list still shows
// the file as it was read, and the command's own act after the file may have
// gone.
struct Command {
  const char* what;
  std::function<void(CaseTwin&)> before;
  std::function<void(CaseTwin&)> act;
  const char* failure;             // the message when "readme" has gone
  const char* question = nullptr;  // asked first, and answered Yes
  bool keeps = false;              // with "readme" there: it stays in C:\Data
  const char* arrives = nullptr;   // and its bytes arrive there (below C:\)
};

// The boxes a command shows: its question, if it asks one, then `message`.
std::vector<std::string> Boxes(const Command& command, const char* message) {
  std::vector<std::string> boxes;
  if (command.question) boxes.emplace_back(command.question);
  if (message) boxes.emplace_back(message);
  return boxes;
}

std::vector<Command> Commands() {
  const auto none = [](CaseTwin&) {};
  const auto properties = [](CaseTwin&) {
    PropForm->PageKind = 0;
    PropForm->Show();
  };
  return {
      {"recycle", none,
       [](CaseTwin& t) {
         t.boxes_.Script({IDYES});
         MainForm->FileList->DeleteFiles(false);
       },
       "Unable to delete file readme!", "Recycle this 1 File?"},
      {"delete", none,
       [](CaseTwin& t) {
         t.boxes_.Script({IDYES});
         MainForm->FileList->DeleteFiles(true);
       },
       "Unable to delete file readme!", "Delete this 1 File?"},
      {"cut and paste", [](CaseTwin&) { MainForm->FileList->CopyFiles(true); }, [](CaseTwin& t) { t.PasteIntoDst(); },
       "Can't copy file: C:\\Data\\readme", nullptr, false, "Dst/readme"},
      {"copy and paste", [](CaseTwin&) { MainForm->FileList->CopyFiles(false); }, [](CaseTwin& t) { t.PasteIntoDst(); },
       "Can't copy file: C:\\Data\\readme", nullptr, true, "Dst/readme"},
      {"rename", none,
       [](CaseTwin& t) {
         std::string text = "other";
         MainForm->Rename_File(MainForm->FileList, t.Listed("readme"), text);
       },
       "Unable to rename file: readme", nullptr, false, "Data/other"},
      {"properties' attributes", properties,
       [](CaseTwin&) {
         PropForm->ReadOnly_CB->SetChecked(true);
         PropForm->Ok_B->Click();
       },
       "Unable to change file Attributes", nullptr, true},
      {"properties' rename", properties,
       [](CaseTwin&) {
         PropForm->FileName_E->SetText("other");
         PropForm->Ok_B->Click();
       },
       "Unable to rename File", nullptr, false, "Data/other"},
  };
}

TEST_F(CaseTwin, WithTheShownNameGoneTheTwinIsUntouched) {
  for (const Command& command : Commands()) {
    SelectItem();
    command.before(*this);
    fs::remove(data_ / "readme");  // by another program: the list still shows it
    boxes_.Clear();
    command.act(*this);
    EXPECT_EQ(boxes_.Texts(), Boxes(command, command.failure)) << command.what;
    ExpectTwinUntouched(command.what);
    EXPECT_FALSE(fs::exists(data_ / "readme")) << command.what;
    EXPECT_FALSE(fs::exists(data_ / "other")) << command.what;
    EXPECT_TRUE(fs::is_empty(drive_ / "Dst")) << command.what;
    Fresh();
  }
}

TEST_F(CaseTwin, WithTheShownNameThereItAloneIsActedOn) {
  for (const Command& command : Commands()) {
    SelectItem();
    command.before(*this);
    boxes_.Clear();
    command.act(*this);
    EXPECT_EQ(boxes_.Texts(), Boxes(command, nullptr)) << command.what;
    ExpectTwinUntouched(command.what);
    EXPECT_EQ(fs::exists(data_ / "readme"), command.keeps) << command.what;
    if (command.arrives) {
      EXPECT_EQ(ReadFile(drive_ / command.arrives), "item") << command.what;
    }
    if (std::string(command.what) == "properties' attributes") {
      EXPECT_EQ(GetFileAttributesA("C:\\Data\\readme"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    }
    fs::permissions(data_, fs::perms::owner_all);
    if (fs::exists(data_ / "readme")) fs::permissions(data_ / "readme", fs::perms::owner_all);
    Fresh();
  }
}

// The properties' file page reads exactly the shown name: with it gone the
// page reports it and closes, and never shows the twin's figures.
TEST_F(CaseTwin, ThePropertiesOfAGoneNameAreNotTheTwins) {
  SelectItem();
  fs::remove(data_ / "readme");
  PropForm->PageKind = 0;
  PropForm->Show();
  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"Unable to retrive file information", "Unable to retrive file Attributes"}));
  EXPECT_FALSE(PropForm->Visible());
  ExpectTwinUntouched("properties");
}

}  // namespace
}  // namespace app_test
