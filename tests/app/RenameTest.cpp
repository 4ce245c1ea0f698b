// Renaming folders in the tree and files in the list, and new folders: a
// rename or a new folder never replaces, moves or loses anything.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

// C:\Data holds the folders A (the one opened) and B, and two files in A;
// C:\Other holds a folder A of its own.
class RenameTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteFile(drive_ / "Data" / "A" / "one.txt", "one");
    WriteFile(drive_ / "Data" / "A" / "two.txt", "two");
    WriteFile(drive_ / "Data" / "B" / "b.txt", "b");
    WriteFile(drive_ / "Other" / "A" / "other.txt", "other");
    OpenWindow("C:\\Data\\A");
    form_ = MainForm;
    form_->Show();
    ASSERT_EQ(form_->DirList->Location, "C:\\Data\\A\\");
  }

  TTreeNode* Node(const std::string& path) {
    for (TTreeNode* node = form_->DirList->Items()->GetFirstNode(); node != nullptr; node = node->GetNext())
      if (form_->DirList->BuildLocation(node) == path) return node;
    return nullptr;
  }

  TListItem* Item(const std::string& name) {
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == name) return (*items)[i];
    return nullptr;
  }

  // Every file below C:\ with its content, so a test sees that nothing moved.
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(drive_)) {
      const std::string relative = fs::relative(entry.path(), drive_).string();
      if (relative.rfind("Pellix4", 0) == 0) continue;
      files.push_back(relative + (entry.is_regular_file() ? "=" + ReadFile(entry.path()) : "/"));
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  TMainForm* form_ = nullptr;
  testing_support::ScriptedMessageBoxes boxes_;
};

TEST_F(RenameTest, RenamingTheOpenedFolderToAFreeNameRenamesItOnDisk) {
  TTreeNode* node = Node("C:\\Data\\A");
  ASSERT_NE(node, nullptr);
  std::string text = "A2";
  form_->Rename_Directory(form_->DirList, node, text);
  EXPECT_EQ(text, "A2");
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_FALSE(fs::exists(drive_ / "Data" / "A"));
  EXPECT_EQ(ReadFile(drive_ / "Data" / "A2" / "one.txt"), "one");
  EXPECT_EQ(form_->DirList->Location, "C:\\Data\\A\\") << "Location stays until it is read again";
}

// The node's own folder, once gone, is not found in a case twin beside it.
TEST_F(RenameTest, AFolderThatIsGoneIsNotFoundInItsCaseTwin) {
  TTreeNode* node = Node("C:\\Data\\B");
  ASSERT_NE(node, nullptr);
  fs::remove_all(drive_ / "Data" / "B");
  WriteFile(drive_ / "Data" / "b" / "twin.txt", "twin");
  std::string text = "C";
  form_->Rename_Directory(form_->DirList, node, text);
  EXPECT_EQ(text, "B");
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Can't find Directory: C:\\Data\\B"});
  EXPECT_EQ(ReadFile(drive_ / "Data" / "b" / "twin.txt"), "twin");
  EXPECT_FALSE(fs::exists(drive_ / "Data" / "C"));
}

// Failures keep the node's old text and change nothing on disk.
TEST_F(RenameTest, AFolderRenameThatFailsKeepsEverything) {
  const std::string notFound = "Can't find Directory: C:\\Data\\A";
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"B", "Directory already exists"},
      {"b", "Directory already exists"},  // names are case-blind
      {"..\\B", notFound},                // no separator may move the folder elsewhere
      {"B\\A", notFound},
      {"..\\..\\Other\\Z", notFound},
      {"B/A", notFound},
      {"", notFound},
      {".", notFound},
      {"..", notFound},
  };
  const std::vector<std::string> before = Files();
  for (const auto& c : cases) {
    boxes_.Clear();
    TTreeNode* node = Node("C:\\Data\\A");
    ASSERT_NE(node, nullptr);
    std::string text = c.text;
    form_->Rename_Directory(form_->DirList, node, text);
    EXPECT_EQ(text, "A") << c.text;
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(Files(), before) << c.text;
  }
}

TEST_F(RenameTest, AFolderThatIsGoneIsNotFound) {
  TTreeNode* node = Node("C:\\Data\\B");
  ASSERT_NE(node, nullptr);
  fs::remove_all(drive_ / "Data" / "B");
  std::string text = "C";
  form_->Rename_Directory(form_->DirList, node, text);
  EXPECT_EQ(text, "B");
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Can't find Directory: C:\\Data\\B"});
  EXPECT_FALSE(fs::exists(drive_ / "Data" / "C"));
}

// A node other than the opened folder renames its own folder, never the
// like-named folder beside the opened one.
TEST_F(RenameTest, TheEditedNodesOwnFolderIsRenamed) {
  form_->DirList->Location = "C:\\Other\\A";
  TTreeNode* node = Node("C:\\Data\\B");
  ASSERT_NE(node, nullptr);
  WriteFile(drive_ / "Other" / "B" / "keep.txt", "keep");
  std::string text = "B2";
  form_->Rename_Directory(form_->DirList, node, text);
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(ReadFile(drive_ / "Data" / "B2" / "b.txt"), "b");
  EXPECT_EQ(ReadFile(drive_ / "Other" / "B" / "keep.txt"), "keep");
}

TEST_F(RenameTest, TheRootAndDrivesNameNoFolder) {
  WriteFile(drive_ / "(C:)" / "x.txt", "x");
  const std::vector<std::string> before = Files();
  TTreeNode* drive = Node("C:\\");
  ASSERT_NE(drive, nullptr);
  std::string text = "Disk";
  form_->Rename_Directory(form_->DirList, drive, text);
  EXPECT_EQ(text, "(C:)");
  TTreeNode* root = form_->DirList->Items()->GetFirstNode();
  text = "Mine";
  form_->Rename_Directory(form_->DirList, root, text);
  EXPECT_EQ(text, "My Computer");
  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"Can't find Directory: C:\\(C:)", "Can't find Directory: My Computer"}));
  EXPECT_EQ(Files(), before);
}

TEST_F(RenameTest, EditingANodesTextRenamesItsFolder) {
  TTreeNode* node = form_->DirList->Selected();
  ASSERT_EQ(node->Text(), "A");
  ASSERT_TRUE(node->EditText());
  auto* editor = form_->DirList->Widget()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Renamed");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(node->Text(), "Renamed");
  EXPECT_TRUE(fs::is_directory(drive_ / "Data" / "Renamed"));
}

TEST_F(RenameTest, RenamingAFileToAFreeNameRenamesIt) {
  TListItem* item = Item("one.txt");
  ASSERT_NE(item, nullptr);
  std::string text = "uno.txt";
  form_->Rename_File(form_->FileList, item, text);
  EXPECT_EQ(text, "uno.txt");
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(ReadFile(drive_ / "Data" / "A" / "uno.txt"), "one");
  EXPECT_FALSE(fs::exists(drive_ / "Data" / "A" / "one.txt"));
}

TEST_F(RenameTest, AFileRenameThatFailsKeepsEverything) {
  WriteFile(drive_ / "Data" / "A" / "Sub" / "s.txt", "s");
  const std::vector<std::string> before = Files();
  for (const char* text :
       {"two.txt", "TWO.TXT", "Sub", "Sub\\one.txt", "..\\one.txt", "../one.txt", "..\\B\\one.txt", "", ".", ".."}) {
    boxes_.Clear();
    TListItem* item = Item("one.txt");
    ASSERT_NE(item, nullptr);
    std::string edited = text;
    form_->Rename_File(form_->FileList, item, edited);
    EXPECT_EQ(edited, "one.txt") << text;
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Unable to rename file: one.txt"}) << text;
    EXPECT_EQ(Files(), before) << text;
  }
}

// Names are looked up ignoring case; a new spelling of the same name still
// renames the item, and nothing else is touched.
TEST_F(RenameTest, ANewCaseOfTheSameNameRenames) {
  TListItem* item = Item("one.txt");
  ASSERT_NE(item, nullptr);
  std::string text = "ONE.txt";
  form_->Rename_File(form_->FileList, item, text);
  TTreeNode* node = Node("C:\\Data\\B");
  ASSERT_NE(node, nullptr);
  std::string folder = "b";
  form_->Rename_Directory(form_->DirList, node, folder);
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_EQ(text, "ONE.txt");
  EXPECT_EQ(folder, "b");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(drive_ / "Data" / "A")) names.push_back(entry.path().filename());
  for (const auto& entry : fs::directory_iterator(drive_ / "Data")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "ONE.txt", "b", "two.txt"}));
  EXPECT_EQ(ReadFile(drive_ / "Data" / "A" / "ONE.txt"), "one");
  EXPECT_EQ(ReadFile(drive_ / "Data" / "b" / "b.txt"), "b");
}

TEST_F(RenameTest, EditingAnItemsNameRenamesTheFile) {
  TListItem* item = Item("two.txt");
  ASSERT_NE(item, nullptr);
  ASSERT_TRUE(item->EditCaption());
  auto* editor = form_->FileList->ActiveView()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("deux.txt");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(item->Caption(), "deux.txt");
  EXPECT_EQ(ReadFile(drive_ / "Data" / "A" / "deux.txt"), "two");
}

// The first "NewDir" + n whose folder does not exist; only folders count.
TEST_F(RenameTest, ANewFolderTakesTheFirstFreeName) {
  const struct {
    std::vector<std::string> folders;
    std::string made;
  } cases[] = {
      {{}, "NewDir"},
      {{"NewDir", "NewDir1"}, "NewDir2"},
      {{"NewDir", "NewDir2"}, "NewDir1"},
      {{"NewDir", "NewDir1", "NewDir2", "NewDir3", "NewDir4", "NewDir5", "NewDir6", "NewDir7", "NewDir8", "NewDir9",
        "NewDir10"},
       "NewDir11"},
  };
  for (const auto& c : cases) {
    const fs::path folder = drive_ / "Data" / "A";
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_directory()) fs::remove_all(entry.path());
    for (const std::string& name : c.folders) fs::create_directories(folder / name);
    form_->CreateNewDir(form_->DirList->Selected());
    EXPECT_TRUE(fs::is_directory(folder / c.made)) << c.made;
    TTreeNode* node = Node("C:\\Data\\A");
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->Expanded()) << c.made;
    EXPECT_NE(Node("C:\\Data\\A\\" + c.made), nullptr) << "the tree lists the new folder";
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(RenameTest, AFileNamedLikeTheNewFolderMakesItFail) {
  WriteFile(drive_ / "Data" / "A" / "NewDir", "a file");
  form_->CreateNewDir(form_->DirList->Selected());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Unable to Create Directory"});
  EXPECT_EQ(ReadFile(drive_ / "Data" / "A" / "NewDir"), "a file");
  EXPECT_FALSE(fs::exists(drive_ / "Data" / "A" / "NewDir1"));
}

TEST_F(RenameTest, WithoutANodeNothingIsMade) {
  const std::vector<std::string> before = Files();
  form_->CreateNewDir(nullptr);
  EXPECT_EQ(Files(), before);
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
}  // namespace app_test
