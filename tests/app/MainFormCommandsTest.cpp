// The main window's keys, menus, pop-up menus and standard tool bar.
//
// The viewer programs stand at paths where no program is, and the selected
// file is removed once it is listed: every command that would start a
// program reports which program or file it was after ("File not found: "),
// so nothing is ever started.

#include <filesystem>
#include <string>
#include <vector>

#include "app/About_Form.h"
#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/Search_Form.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/bars/ToolButton.h"
#include "framework/core/Clipboard.h"
#include "framework/core/VirtualKeys.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/menus/MenuItem.h"
#include "framework/menus/PopupMenu.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/PrivateClipboard.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

constexpr const char* kByteViewer = "File not found: C:\\V\\bin.exe";
constexpr const char* kImageViewer = "File not found: C:\\V\\img.exe";
constexpr const char* kTextViewer = "File not found: C:\\V\\txt.exe";
constexpr const char* kCdPlayer = "File not found: C:\\V\\cd.exe";
constexpr const char* kRunFile = "File not found: C:\\Data\\gone.txt";
constexpr const char* kRecycle = "Recycle this 1 File?";
constexpr const char* kDelete = "Delete this 1 File?";
constexpr const char* kCopied = "clip PX4|C:\\Data\\|0|gone.txt";
constexpr const char* kCut = "clip PX4|C:\\Data\\|1|gone.txt";
// The properties of the selected file, which is gone by then: the dialog's
// file page reports it and closes.
constexpr const char* kFileProperties =
    "box Unable to retrive file information;box Unable to retrive file Attributes";

class MainFormCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // Text files open with the byte viewer by their type, so opening by type
    // is told apart from the shell and the text viewer.
    WriteFile(RegInfoFile(), "PX41\r\n.TXT; Text; -; 0; 2;\r\n");
    WriteFile(drive_ / "Data" / "gone.txt", "text");
    WriteFile(drive_ / "Data" / "Sub" / "x.txt", "x");
    OpenWindow("C:\\Data");
    form_ = MainForm;
    form_->Programs[1] = "C:\\V\\bin.exe";
    form_->Programs[2] = "C:\\V\\cd.exe";
    form_->Programs[4] = "C:\\V\\img.exe";
    form_->Programs[5] = "C:\\V\\txt.exe";
    form_->Show();
    ASSERT_EQ(form_->FileList->Items()->Count(), 1);
    (*form_->FileList->Items())[0]->SetSelected(true);
    fs::remove(drive_ / "Data" / "gone.txt");
    // A file made after the folder was read shows only when it is read again.
    WriteFile(drive_ / "Data" / "late.txt", "late");
    PropForm = new TPropForm(nullptr);
    SearchForm = new TSearchForm(nullptr);
    AboutBox = new TAboutBox(nullptr);
  }

  void TearDown() override {
    delete PropForm;
    delete SearchForm;
    delete AboutBox;
    PropForm = nullptr;
    SearchForm = nullptr;
    AboutBox = nullptr;
    MainWindowTest::TearDown();
  }

  // What the commands did: the boxes shown, the clipboard, the properties
  // dialog, a closed window, an open name editor and the listed files.
  std::string Effects() {
    std::string effects;
    for (const std::string& text : boxes_.Texts()) effects += "box " + text + ";";
    std::string clip = Clipboard()->AsText();
    if (!clip.empty()) {
      std::string lines;
      for (char c : clip)
        if (c != '\r') lines += c == '\n' ? '|' : c;
      while (!lines.empty() && lines.back() == '|') lines.pop_back();
      effects += "clip " + lines + ";";
    }
    if (PropForm->Visible()) effects += "properties " + std::to_string(PropForm->PageKind) + ";";
    if (SearchForm->Visible()) effects += "search;";
    if (AboutBox->Visible()) effects += "about;";
    if (!form_->Visible()) effects += "closed;";
    if (fs::exists(drive_ / "Data" / "NewDir")) effects += "new folder;";
    const TTreeNode* node = form_->DirList->Selected();
    if (node == nullptr || node->Text() != "Data") effects += "tree at " + (node ? node->Text() : "none") + ";";
    static const char* const kStyles[] = {"icons", "small icons", "list", "details"};
    if (form_->FileList->ViewStyle() != vsReport || form_->FileList->Tag != 1)
      effects += std::string("view ") + kStyles[form_->FileList->ViewStyle()] + " " +
                 std::to_string(form_->FileList->Tag) + ";";
    if (form_->FileList->IsEditing()) effects += "editing file;";
    if (form_->DirList->IsEditing()) effects += "editing folder;";
    const TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == "late.txt") effects += "read again;";
    if (!effects.empty()) effects.pop_back();
    return effects;
  }

  TMainForm* form_ = nullptr;
  testing_support::ScriptedMessageBoxes boxes_;
  testing_support::PrivateClipboard clipboard_;
};

enum Target { kList, kTree, kWindow };

struct KeyCase {
  Target target;
  unsigned short key;
  TShiftState shift;
  std::string effects;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
  *os << "key " << c.key << " shift " << c.shift << " to "
      << (c.target == kList   ? "list"
          : c.target == kTree ? "tree"
                              : "window");
}

class MainFormKeys : public MainFormCommandsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MainFormKeys, KeyActs) {
  const KeyCase& c = GetParam();
  TControl* target = c.target == kList   ? static_cast<TControl*>(form_->FileList)
                     : c.target == kTree ? static_cast<TControl*>(form_->DirList)
                                         : static_cast<TControl*>(form_);
  unsigned short key = c.key;
  form_->FormKeyDown(target, key, c.shift);
  EXPECT_EQ(key, c.key) << "the control still sees the key";
  EXPECT_EQ(Effects(), c.effects);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MainFormKeys,
    ::testing::Values(
        // Alt, whatever else is held.
        KeyCase{kList, VK_RETURN, ssAlt, kFileProperties}, KeyCase{kList, 'X', ssAlt, "closed"},
        KeyCase{kTree, 'X', ssAlt | ssCtrl, "closed"}, KeyCase{kList, 'B', ssAlt | ssCtrl, ""},
        KeyCase{kList, VK_F5, ssAlt, ""}, KeyCase{kList, VK_DELETE, ssAlt, ""},
        // Ctrl: its letters only, Shift not looked at.
        KeyCase{kList, 'B', ssCtrl, std::string("box ") + kByteViewer},
        KeyCase{kList, 'B', ssCtrl | ssShift, std::string("box ") + kByteViewer}, KeyCase{kList, 'C', ssCtrl, kCopied},
        KeyCase{kList, 'E', ssCtrl, std::string("box ") + kRunFile},
        KeyCase{kList, 'I', ssCtrl, std::string("box ") + kImageViewer},
        // The shell finds no file and hands it to the text viewer.
        KeyCase{kList, 'O', ssCtrl, std::string("box ") + kTextViewer}, KeyCase{kList, 'R', ssCtrl, "editing file"},
        KeyCase{kList, 'T', ssCtrl, std::string("box ") + kTextViewer}, KeyCase{kList, 'V', ssCtrl, ""},
        KeyCase{kList, 'X', ssCtrl, kCut}, KeyCase{kTree, 'B', ssCtrl, std::string("box ") + kByteViewer},
        KeyCase{kList, VK_F5, ssCtrl, ""}, KeyCase{kList, VK_F12, ssCtrl, ""}, KeyCase{kList, VK_RETURN, ssCtrl, ""},
        KeyCase{kList, VK_DELETE, ssCtrl, ""}, KeyCase{kList, 96 /* number pad 0 */, ssCtrl, ""},
        KeyCase{kList, 'A', ssCtrl, ""},
        // Neither.
        KeyCase{kList, VK_F5, 0, "read again"}, KeyCase{kTree, VK_F5, 0, "read again"},
        KeyCase{kList, VK_RETURN, 0, std::string("box ") + kByteViewer},
        KeyCase{kTree, VK_RETURN, 0, std::string("box ") + kByteViewer},
        KeyCase{kList, VK_RETURN, ssShift, std::string("box ") + kByteViewer},
        KeyCase{kList, VK_F12, 0, std::string("box ") + kTextViewer},
        KeyCase{kTree, VK_F12, 0, std::string("box ") + kTextViewer},
        KeyCase{kList, VK_DELETE, 0, std::string("box ") + kRecycle},
        KeyCase{kTree, VK_DELETE, 0, std::string("box ") + kRecycle},
        KeyCase{kList, VK_DELETE, ssShift, std::string("box ") + kDelete},
        KeyCase{kWindow, VK_F12, 0, std::string("box ") + kTextViewer}, KeyCase{kList, 'X', 0, ""},
        KeyCase{kList, VK_F2, 0, ""}));

TEST_F(MainFormCommandsTest, KeysReachTheHandlerFromTheTreeTheListAndTheWindow) {
  for (TControl* target : {static_cast<TControl*>(form_->FileList), static_cast<TControl*>(form_->DirList),
                           static_cast<TControl*>(form_)}) {
    boxes_.Clear();
    target->SimulateKeyDown(VK_F12, 0);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{kTextViewer}) << target->Name;
  }
}

TEST_F(MainFormCommandsTest, CtrlREditsTheTreesNodeWhenNoFileIsSelected) {
  form_->FileList->SetSelected(nullptr);
  unsigned short key = 'R';
  form_->FormKeyDown(form_->FileList, key, ssCtrl);
  EXPECT_EQ(Effects(), "editing folder");
  EXPECT_EQ(form_->DirList->Selected()->Text(), "Data");
}

TEST_F(MainFormCommandsTest, DeleteWhileANameIsEditedDeletesNothing) {
  for (TControl* editing : {static_cast<TControl*>(form_->FileList), static_cast<TControl*>(form_->DirList)}) {
    if (editing == form_->FileList) {
      ASSERT_TRUE(form_->FileList->Selected()->EditCaption());
    } else {
      ASSERT_TRUE(form_->DirList->Selected()->EditText());
    }
    unsigned short key = VK_DELETE;
    form_->FormKeyDown(form_->FileList, key, 0);
    form_->FormKeyDown(form_->DirList, key, ssShift);
    EXPECT_TRUE(boxes_.Texts().empty()) << editing->Name;
    form_->SetFocus();  // ends the edit
  }
}

// Every item of the main menu and the two pop-up menus, and every button of
// the standard tool bar, as the user chooses it.
struct ItemCase {
  TMenuItem* TMainForm::*item;
  TToolButton* TMainForm::*button;
  std::string effects;
};

void PrintTo(const ItemCase& c, std::ostream* os) { *os << c.effects; }

class MainFormItems : public MainFormCommandsTest, public ::testing::WithParamInterface<ItemCase> {};

TEST_P(MainFormItems, ItemActs) {
  const ItemCase& c = GetParam();
  if (c.item != nullptr) {
    (form_->*c.item)->Click();
  } else {
    (form_->*c.button)->Click();
  }
  EXPECT_EQ(Effects(), c.effects);
}

ItemCase Item(TMenuItem* TMainForm::*item, std::string effects) { return {item, nullptr, std::move(effects)}; }
ItemCase Button(TToolButton* TMainForm::*button, std::string effects) { return {nullptr, button, std::move(effects)}; }

const std::string kByType = std::string("box ") + kByteViewer;
const std::string kText = std::string("box ") + kTextViewer;
const std::string kRecycleBox = std::string("box ") + kRecycle;

INSTANTIATE_TEST_SUITE_P(
    Table, MainFormItems,
    ::testing::Values(
        Item(&TMainForm::Run_M, kByType), Item(&TMainForm::View_M, kText), Item(&TMainForm::Prop_M, kFileProperties),
        Item(&TMainForm::CreateDir_M, "new folder"), Item(&TMainForm::Del_M, kRecycleBox),
        Item(&TMainForm::RenameDir_M, "editing folder"), Item(&TMainForm::RenameFile_M, "editing file"),
        Item(&TMainForm::Exit_M, "closed"), Item(&TMainForm::Cut_M, kCut), Item(&TMainForm::Copy_M, kCopied),
        Item(&TMainForm::Paste_M, ""), Item(&TMainForm::Search_M, "search"), Item(&TMainForm::VLarge_M, "view icons 0"),
        Item(&TMainForm::VSmall_M, "view small icons 0"), Item(&TMainForm::VList_M, "view list 0"),
        Item(&TMainForm::VDetails_M, "view details 0"), Item(&TMainForm::VThumb_M, "view icons 1"),
        Item(&TMainForm::ProgOptions_M,
             "box File not found: C:\\Pellix4\\PX4Options.exe;box Pellix Must be Reset now, Continue?"),
        Item(&TMainForm::Learn_M, "box Relearn File Types?;box Pellix Must be Reset now, Continue?"),
        Item(&TMainForm::About_M, "about"), Item(&TMainForm::Open_FM, kByType), Item(&TMainForm::Quorvin_FM, kByType),
        Item(&TMainForm::Lumbrel_FM, std::string("box ") + kImageViewer), Item(&TMainForm::Scrivet_FM, kText),
        Item(&TMainForm::Prop_FM, kFileProperties), Item(&TMainForm::Cut_FM, kCut), Item(&TMainForm::Copy_FM, kCopied),
        Item(&TMainForm::Paste_FM, ""), Item(&TMainForm::Delete_FM, kRecycleBox),
        Item(&TMainForm::Rename_FM, "editing file"), Item(&TMainForm::Prop_DM, "properties 2"),
        Item(&TMainForm::Play_DM, std::string("box ") + kCdPlayer), Item(&TMainForm::Eject_DM, ""),
        Item(&TMainForm::Inject_DM, ""), Item(&TMainForm::NewDir_DM, "new folder"),
        Item(&TMainForm::RenameDir_DM, "editing folder"), Item(&TMainForm::DelDir_DM, kRecycleBox),
        Button(&TMainForm::Up_TB, "tree at (C:)"), Button(&TMainForm::Refresh_TB, "read again"),
        Button(&TMainForm::Cut_TB, kCut), Button(&TMainForm::Copy_TB, kCopied), Button(&TMainForm::Paste_TB, ""),
        Button(&TMainForm::Delete_TB, kRecycleBox), Button(&TMainForm::Run_TB, kByType),
        Button(&TMainForm::Open_TB, kText)));

// The tree's pop-up shows the CD items only on a CD-ROM drive, and its
// properties follow the selected node's level; a root has none.
TEST_F(MainFormCommandsTest, TreePopUpFollowsTheSelectedNode) {
  CloseWindow();
  fs::create_directories(drive_ / "cd");
  platform::SetDriveMap({{'C', drive_.string(), 3}, {'D', (drive_ / "cd").string(), 5}});
  fs::remove(drive_ / "Data" / "late.txt");
  OpenWindow("C:\\Data");
  form_ = MainForm;
  form_->Show();
  TTreeNode* root = form_->DirList->Items()->GetFirstNode();
  ASSERT_NE(root, nullptr);
  TTreeNode* data = form_->DirList->Selected();
  ASSERT_EQ(data->Text(), "Data");
  TTreeNode* c = data->Parent();
  TTreeNode* d = c->getNextSibling();
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->Text(), "(D:)");
  const struct {
    TTreeNode* node;
    bool cd;
    std::string effects;
  } cases[] = {{root, false, "tree at My Computer"},
               {c, false, "properties 1;tree at (C:)"},
               {d, true, "properties 1;tree at (D:)"},
               {data, false, "properties 2"},
               {nullptr, false, "tree at none"}};
  for (const auto& k : cases) {
    form_->DirList->SetSelected(k.node);
    PropForm->Hide();
    form_->DirList_PM->Popup(0, 0);
    EXPECT_EQ(form_->Play_DM->Visible(), k.cd) << Effects();
    EXPECT_EQ(form_->Eject_DM->Visible(), k.cd) << Effects();
    EXPECT_EQ(form_->Inject_DM->Visible(), k.cd) << Effects();
    for (TMenuItem* always : {form_->Prop_DM, form_->NewDir_DM, form_->RenameDir_DM, form_->DelDir_DM})
      EXPECT_TRUE(always->Visible() && always->Enabled()) << always->Name;
    form_->DirList_PM->CloseUp();
    form_->Prop_DM->Click();
    EXPECT_EQ(Effects(), k.effects);
  }
}

TEST_F(MainFormCommandsTest, ExitSavesTheLayout) {
  fs::remove(SettingsFile());
  unsigned short key = 'X';
  form_->FormKeyDown(form_->FileList, key, ssAlt);
  EXPECT_FALSE(form_->Visible());
  EXPECT_NE(ReadFile(SettingsFile()).find("[VIEW]"), std::string::npos);
}

}  // namespace
}  // namespace app_test
