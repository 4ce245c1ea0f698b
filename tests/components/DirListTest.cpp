#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "components/DirList.h"
#include "components/DriveInfo.h"
#include "components/Extension.h"
#include "components/FileList.h"
#include "framework/controls/Edit.h"
#include "framework/core/Exception.h"
#include "framework/core/VirtualKeys.h"
#include "framework/forms/Form.h"
#include "framework/graphics/ImageList.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/drives/DriveMap.h"
#include "platform/drives/Drives.h"
#include "platform/drives/Folders.h"
#include "platform/drives/ProgramFolder.h"
#include "tests/support/ScriptedMessageBoxes.h"
#include "tests/support/TempDrive.h"

namespace fs = std::filesystem;

namespace {

// Drives A (removable), C (fixed), D (CD-ROM) and Z (type unknown), each a
// temporary folder; C holds a few folders, a hidden one and files. The tree
// sits on a shown form with a location line and a file list linked.
class DirListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hostCwd_ = fs::current_path();
    base_ = testing_support::FreshFolder("dirlist");
    for (const char* drive : {"a", "c", "d", "z"}) fs::create_directories(base_ / drive);
    for (const char* folder : {"Windows/System", "Windows/Fonts", "a/b", "B", ".hidden/inner", "empty"})
      fs::create_directories(C() / folder);
    fs::create_directories(base_ / "a" / "floppy");
    fs::create_directories(base_ / "d" / "disc");
    Touch(C() / "file.txt");
    Touch(C() / "Windows" / "win.ini");
    platform::SetDriveMap({{'A', (base_ / "a").string(), 2},
                           {'C', C().string(), 3},
                           {'D', (base_ / "d").string(), 5},
                           {'Z', (base_ / "z").string(), 0}});
    platform::ForgetCurrentFolder();
    platform::SetProgramHostFolder(PELLIX_PROGRAM_DIR);

    // The file list reads for real: an empty file-type table on drive Z.
    std::ofstream(base_ / "z" / "RegInfo.ini") << "PX41\r\n";
    table_.FileName = "Z:\\RegInfo.ini";
    table_.Init();
    fileList_.Extension = &table_;
    fileList_.Init();

    form_ = std::make_unique<TForm>(nullptr);
    form_->SetBounds(0, 0, 400, 600);
    tree_ = new TDirList(form_.get());
    tree_->SetParent(form_.get());
    tree_->SetBounds(0, 0, 300, 560);
    edit_ = new TEdit(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetBounds(0, 565, 300, 24);
    tree_->DirLabel = edit_;
    tree_->FileList = &fileList_;
    form_->Show();
  }

  void TearDown() override {
    form_.reset();
    fs::current_path(hostCwd_);
    platform::ForgetCurrentFolder();
  }

  fs::path C() const { return base_ / "c"; }
  static void Touch(const fs::path& path) { std::ofstream(path) << "x"; }

  TTreeNode* Root() const { return tree_->Items()->GetFirstNode(); }
  // The child of `node` with this text, nullptr when none.
  static TTreeNode* Child(const TTreeNode* node, const std::string& text) {
    for (TTreeNode* c = node->getFirstChild(); c != nullptr; c = c->getNextSibling())
      if (c->Text() == text) return c;
    return nullptr;
  }
  static std::vector<std::string> Texts(const TTreeNode* node) {
    std::vector<std::string> out;
    for (TTreeNode* c = node->getFirstChild(); c != nullptr; c = c->getNextSibling()) out.push_back(c->Text());
    return out;
  }
  TTreeNode* DriveC() const { return Child(Root(), "(C:)"); }

  // Init, then the root and drive C opened, so their rows are shown.
  void InitShown() {
    tree_->Init();
    Root()->Expand(false);
    DriveC()->Expand(false);
  }

  // A click as the user's mouse makes it, in the middle of the node's row.
  void Click(TTreeNode* node, Qt::MouseButton button = Qt::LeftButton) {
    const TRect r = node->DisplayRect(true);
    ASSERT_GT(r.Height(), 0) << node->Text() << " is not shown";
    auto* view = static_cast<QAbstractItemView*>(tree_->Widget());
    QTest::mouseClick(view->viewport(), button, {}, QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  }

  fs::path hostCwd_;
  fs::path base_;
  std::unique_ptr<TForm> form_;
  TDirList* tree_ = nullptr;
  TEdit* edit_ = nullptr;
  TExtension table_{nullptr};
  TFileList fileList_{nullptr};
};

TEST_F(DirListTest, InitListsTheDrivesInOrderWithTheirImagesAndFirstFolderLevel) {
  tree_->Init();
  EXPECT_EQ(std::string(tree_->DriveBits), "1" + std::string(21, '0') + "1101");
  EXPECT_EQ(tree_->DriveCount, 5);
  ASSERT_EQ(tree_->Items()->GetFirstNode()->getNextSibling(), nullptr);
  EXPECT_EQ(Root()->Text(), "My Computer");
  EXPECT_EQ(Root()->ImageIndex(), 0);
  EXPECT_EQ(Texts(Root()), (std::vector<std::string>{"(A:)", "(C:)", "(D:)", "(Z:)"}));
  const std::vector<int> images{2, 3, 5, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Root()->Item(i)->Level(), 1);
    EXPECT_EQ(Root()->Item(i)->ImageIndex(), images[static_cast<size_t>(i)]);
    EXPECT_EQ(Root()->Item(i)->SelectedIndex(), images[static_cast<size_t>(i)]);
  }
  // The removable drive is not read; the others show their first level only,
  // sorted, without the hidden folder, the files, "." or "..".
  EXPECT_FALSE(Child(Root(), "(A:)")->HasChildren());
  EXPECT_EQ(Texts(DriveC()), (std::vector<std::string>{"a", "B", "empty", "Windows"}));
  EXPECT_FALSE(Child(DriveC(), "Windows")->HasChildren());
  EXPECT_EQ(Child(DriveC(), "a")->ImageIndex(), 7);
  EXPECT_EQ(Child(DriveC(), "a")->SelectedIndex(), 8);
  EXPECT_EQ(Texts(Child(Root(), "(D:)")), (std::vector<std::string>{"disc"}));
  EXPECT_EQ(edit_->Text(), "My Computer");
  EXPECT_EQ(tree_->Location, "");
  EXPECT_NE(tree_->Images(), nullptr);
  EXPECT_EQ(tree_->DirImages->Count(), 9);
}

TEST_F(DirListTest, WithoutTheResourceLibraryInitRaisesBeforeReadingDrives) {
  const fs::path empty = base_ / "noprogram";
  fs::create_directories(empty);
  platform::SetProgramHostFolder(empty.string());
  try {
    tree_->Init();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Unable to Find DLL: PX4Images.dll");
  }
  EXPECT_EQ(tree_->Items()->Count(), 0);
  EXPECT_EQ(tree_->DriveCount, 0);
  EXPECT_EQ(tree_->DirImages->Count(), 0);
}

TEST_F(DirListTest, DriveImagesFollowTheDriveType) {
  const struct {
    int type;
    int image;
  } cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {127, 127}};
  for (const auto& c : cases) {
    tree_->Drives[3]->DriveType = static_cast<std::int8_t>(c.type);
    EXPECT_EQ(tree_->Get_Drive_Icon(3), c.image) << c.type;
  }
  for (int bad : {-1, -128}) {
    tree_->Drives[3]->DriveType = static_cast<std::int8_t>(bad);
    EXPECT_THROW(tree_->Get_Drive_Icon(3), Exception);
  }
  try {
    tree_->Get_Drive_Icon(3);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid Drive Number");
  }
  // Slots outside the table never read past it.
  for (int slot : {0, -1, TDirList::DriveSlots}) EXPECT_THROW(tree_->Get_Drive_Icon(slot), Exception) << slot;
}

TEST_F(DirListTest, ANegativeDriveTypeStopsTheBuild) {
  platform::SetDriveMap({{'C', C().string(), 200}});
  try {
    tree_->Init();
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid Drive Number");
  }
}

TEST_F(DirListTest, DriveRecordsStartBlankAndTakeTheirLetter) {
  TDriveInfo info;
  EXPECT_EQ(info.Letter, ' ');
  EXPECT_EQ(info.DriveName, "");
  EXPECT_EQ(info.DriveType, 1);
  info.SetDrive('d');
  EXPECT_EQ(info.Letter, 'd');
  EXPECT_EQ(info.DriveName, "(D:)");
  EXPECT_EQ(info.DriveType, 5);
  info.SetDrive('q');  // not mapped
  EXPECT_EQ(info.DriveType, 1);
}

TEST_F(DirListTest, EveryOneOfTwentySixLettersGetsItsNode) {
  std::vector<platform::DriveMapping> map;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const fs::path root = base_ / "all" / std::string(1, letter);
    fs::create_directories(root);
    map.push_back({letter, root.string(), 3});
  }
  platform::SetDriveMap(map);
  tree_->Init();
  EXPECT_EQ(std::string(tree_->DriveBits), std::string(26, '1'));
  EXPECT_EQ(tree_->DriveCount, 27);
  ASSERT_EQ(Root()->Count(), 26);
  EXPECT_EQ(Root()->Item(0)->Text(), "(A:)");
  EXPECT_EQ(Root()->Item(25)->Text(), "(Z:)");
  EXPECT_EQ(tree_->Drives[26]->Letter, 'z');
}

TEST_F(DirListTest, PathsOfNodes) {
  InitShown();
  TTreeNode* a = Child(DriveC(), "a");
  a->Expand(false);
  EXPECT_EQ(tree_->BuildLocation(Root()), "My Computer");
  EXPECT_EQ(tree_->BuildLocation(DriveC()), "C:\\");
  EXPECT_EQ(tree_->BuildLocation(a), "C:\\a");
  EXPECT_EQ(tree_->BuildLocation(Child(a, "b")), "C:\\a\\b");
}

TEST_F(DirListTest, AClickSetsLocationThenFiresOnChangeDirThenTellsTheFileListThenTheLine) {
  InitShown();
  std::vector<std::string> seen;
  tree_->OnChangeDir = [&](TObject* sender) {
    EXPECT_EQ(sender, tree_);
    seen.push_back("change: " + tree_->Location + " | " + fileList_.Directory() + " | " + edit_->Text());
  };
  edit_->OnChange = [&](TObject*) {
    seen.push_back("line: " + tree_->Location + " | " + fileList_.Directory() + " | " + edit_->Text());
  };
  TTreeNode* windows = Child(DriveC(), "Windows");
  Click(windows);
  EXPECT_EQ(seen, (std::vector<std::string>{"change: C:\\Windows |  | C:\\",
                                            "line: C:\\Windows | C:\\Windows | C:\\Windows"}));
  EXPECT_EQ(windows->ImageIndex(), 7);
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Windows") << "the file list reads it";
  ASSERT_EQ(fileList_.Items()->Count(), 1);
  EXPECT_EQ(fileList_.Items()->Item(0)->Caption(), "win.ini");

  seen.clear();
  Click(DriveC());
  EXPECT_EQ(tree_->Location, "C:\\");
  EXPECT_EQ(fileList_.Directory(), "C:\\");
  EXPECT_EQ(edit_->Text(), "C:\\");
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(DirListTest, ARightClickChangesNothingAndTheRootChangesOnlyTheLine) {
  InitShown();
  int changes = 0;
  tree_->OnChangeDir = [&](TObject*) { ++changes; };
  Click(DriveC());
  Click(Child(DriveC(), "a"), Qt::RightButton);
  EXPECT_EQ(tree_->Location, "C:\\");
  EXPECT_EQ(edit_->Text(), "C:\\");
  Click(Root());
  EXPECT_EQ(tree_->Location, "C:\\");
  EXPECT_EQ(fileList_.Directory(), "C:\\");
  EXPECT_EQ(edit_->Text(), "My Computer");
  EXPECT_EQ(changes, 1);
}

TEST_F(DirListTest, AClickOnAnExpandedFolderShowsItsOpenImage) {
  InitShown();
  TTreeNode* windows = Child(DriveC(), "Windows");
  windows->Expand(false);
  windows->SetImageIndex(7);
  Click(windows);
  EXPECT_EQ(windows->ImageIndex(), 8);
}

TEST_F(DirListTest, ExpandingAFolderReadsTwoLevelsAndMovesOnlyTheSelectionAndLocation) {
  tree_->Init();
  Root()->Expand(false);
  Click(DriveC());
  int changes = 0;
  tree_->OnChangeDir = [&](TObject*) { ++changes; };
  TTreeNode* drive = DriveC();
  drive->Expand(false);
  EXPECT_TRUE(drive->Expanded());
  EXPECT_EQ(tree_->Selected(), drive);
  EXPECT_EQ(tree_->Location, "C:\\");
  TTreeNode* windows = Child(drive, "Windows");
  ASSERT_NE(windows, nullptr);
  EXPECT_EQ(Texts(windows), (std::vector<std::string>{"Fonts", "System"})) << "two levels read";
  windows->Expand(false);
  EXPECT_EQ(tree_->Selected(), windows);
  EXPECT_EQ(windows->ImageIndex(), 8);
  EXPECT_EQ(tree_->Location, "C:\\Windows");
  EXPECT_EQ(edit_->Text(), "C:\\Windows");
  EXPECT_EQ(fileList_.Directory(), "C:\\");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\");
  EXPECT_EQ(changes, 0);
}

TEST_F(DirListTest, ExpandingByTheButtonLeavesTheFileListWhereItWas) {
  InitShown();
  Click(DriveC());
  int changes = 0;
  tree_->OnChangeDir = [&](TObject*) { ++changes; };
  TTreeNode* windows = Child(DriveC(), "Windows");
  ASSERT_NE(windows, nullptr);
  const TRect text = windows->DisplayRect(true);
  ASSERT_GT(text.Height(), 0);
  // The expand button stands in the indentation just left of the node's text.
  auto* view = static_cast<QAbstractItemView*>(tree_->Widget());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(text.Left - 8, (text.Top + text.Bottom) / 2));
  EXPECT_TRUE(windows->Expanded());
  EXPECT_EQ(tree_->Location, "C:\\Windows");
  EXPECT_EQ(fileList_.Directory(), "C:\\");
  EXPECT_EQ(changes, 0);
}

TEST_F(DirListTest, ExpandingByKeyReadsTheFolderAndLeavesItOpen) {
  InitShown();
  TTreeNode* windows = Child(DriveC(), "Windows");
  Click(windows);
  auto* view = static_cast<QAbstractItemView*>(tree_->Widget());
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Plus);
  EXPECT_TRUE(windows->Expanded());
  EXPECT_EQ(Texts(windows), (std::vector<std::string>{"Fonts", "System"}));
  EXPECT_GT(Child(windows, "System")->DisplayRect(true).Height(), 0) << "the new children are shown";
  EXPECT_EQ(tree_->Location, "C:\\Windows");
}

TEST_F(DirListTest, ExpandingTheRootOnlySelectsIt) {
  InitShown();
  Click(DriveC());
  tree_->SetSelected(DriveC());
  Root()->Collapse(false);
  Root()->Expand(false);
  EXPECT_EQ(tree_->Selected(), Root());
  EXPECT_EQ(tree_->Location, "C:\\");
  EXPECT_EQ(edit_->Text(), "C:\\");
}

TEST_F(DirListTest, SetDirectoryWalksAPaddedPathIgnoringCase) {
  tree_->Init();
  int changes = 0;
  tree_->OnChangeDir = [&](TObject*) { ++changes; };
  tree_->SetDirectory("  c:\\windows \t");
  EXPECT_EQ(tree_->Location, "c:\\windows\\");
  EXPECT_EQ(edit_->Text(), "c:\\windows\\");
  EXPECT_EQ(fileList_.Directory(), "c:\\windows\\");
  ASSERT_NE(tree_->Selected(), nullptr);
  EXPECT_EQ(tree_->Selected()->Text(), "Windows");
  EXPECT_EQ(tree_->Selected()->Parent(), DriveC());
  EXPECT_FALSE(tree_->Selected()->Expanded());
  EXPECT_TRUE(Root()->Expanded());
  EXPECT_TRUE(DriveC()->Expanded());
  EXPECT_GT(tree_->Selected()->DisplayRect(true).Height(), 0) << "the path is shown";
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Windows");
  EXPECT_EQ(changes, 0);
}

TEST_F(DirListTest, SetDirectoryWithADriveSelectsTheDriveNode) {
  tree_->Init();
  for (const char* path : {"C:", "C:\\", "c:"}) {
    tree_->SetDirectory(path);
    EXPECT_EQ(tree_->Selected(), DriveC()) << path;
    EXPECT_FALSE(DriveC()->Expanded()) << path;
    EXPECT_EQ(tree_->Location, std::string(path).size() == 2 ? std::string(path) + "\\" : std::string(path)) << path;
    EXPECT_EQ(edit_->Text(), tree_->Location);
  }
}

TEST_F(DirListTest, SetDirectorySelectsAFirstChildWithoutExpandingIt) {
  tree_->Init();
  tree_->SetDirectory("C:\\Windows\\Fonts");
  TTreeNode* fonts = tree_->Selected();
  ASSERT_NE(fonts, nullptr);
  EXPECT_EQ(fonts->Text(), "Fonts");
  EXPECT_EQ(fonts->Index(), 0);
  EXPECT_FALSE(fonts->Expanded());
  EXPECT_TRUE(fonts->Parent()->Expanded());
  EXPECT_EQ(tree_->Location, "C:\\Windows\\Fonts\\");
}

TEST_F(DirListTest, SetDirectoryWithoutAFolderOnlyCollapsesTheTree) {
  tree_->Init();
  tree_->SetDirectory("C:\\Windows");
  const std::string location = tree_->Location;
  for (const char* path : {"My Computer", "", "   ", "C:\\nowhere", "Q:\\"}) {
    tree_->SetDirectory("C:\\Windows");
    const std::string listed = fileList_.Directory();
    tree_->SetDirectory(path);
    for (TTreeNode* n = Root(); n != nullptr; n = n->GetNext()) EXPECT_FALSE(n->Expanded()) << path << n->Text();
    EXPECT_EQ(tree_->Location, location) << path;
    EXPECT_EQ(edit_->Text(), location) << path;
    EXPECT_EQ(fileList_.Directory(), listed) << path;
    EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Windows") << path;
  }
}

TEST_F(DirListTest, SetDirectoryOfAFolderTheTreeDoesNotHoldStillOpensIt) {
  tree_->Init();
  // Hidden folders are never listed; a removable drive is never read.
  fs::create_directories(base_ / "a" / "docs");
  const struct {
    const char* path;
    const char* selected;
  } cases[] = {{"C:\\.hidden\\inner", "(C:)"}, {"A:\\docs", "(A:)"}, {"C:\\a\\..\\Windows\\.\\", "Windows"}};
  for (const auto& c : cases) {
    tree_->SetDirectory(c.path);
    std::string expected = c.path;
    if (expected.back() != '\\') expected += '\\';
    EXPECT_EQ(tree_->Location, expected);
    EXPECT_EQ(edit_->Text(), expected);
    EXPECT_EQ(fileList_.Directory(), expected);
    ASSERT_NE(tree_->Selected(), nullptr) << c.path;
    EXPECT_EQ(tree_->Selected()->Text(), c.selected) << c.path;
  }
}

// A relative path is taken against the listed folder, even where another
// folder has been made current meanwhile; the line, the list and Location
// end at the full path it names, spelled as the disk spells it.
TEST_F(DirListTest, SetDirectoryOpensARelativePathFromTheListedFolder) {
  tree_->Init();
  fs::create_directories(C() / "alpha" / "deep");
  const struct {
    const char* listed;
    const char* typed;
    const char* full;
    const char* selected;
  } cases[] = {
      {"C:\\a\\b", "..\\..\\alpha\\deep", "C:\\alpha\\deep\\", "deep"},
      {"C:\\", "Windows\\System", "C:\\Windows\\System\\", "System"},
      {"C:\\a", "b\\", "C:\\a\\b\\", "b"},
      {"C:\\Windows", "..\\windows\\fonts", "C:\\Windows\\Fonts\\", "Fonts"},
      {"C:\\Windows\\System", "\\a\\b", "C:\\a\\b\\", "b"},
      {"C:\\a\\b", "..\\..\\..\\..\\B", "C:\\B\\", "B"},  // no higher than the root
  };
  for (const auto& c : cases) {
    tree_->SetDirectory(c.listed);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\empty"));
    tree_->SetDirectory(c.typed);
    EXPECT_EQ(tree_->Location, c.full) << c.typed;
    EXPECT_EQ(edit_->Text(), c.full) << c.typed;
    EXPECT_EQ(fileList_.Directory(), c.full) << c.typed;
    ASSERT_NE(tree_->Selected(), nullptr) << c.typed;
    EXPECT_EQ(tree_->Selected()->Text(), c.selected) << c.typed;
    EXPECT_EQ(GetCurrentDirectoryA() + "\\", c.full) << c.typed;
  }
  // A relative path to no folder changes nothing but the tree.
  tree_->SetDirectory("C:\\a");
  tree_->SetDirectory("..\\nowhere");
  EXPECT_EQ(tree_->Location, "C:\\a\\");
  EXPECT_EQ(fileList_.Directory(), "C:\\a\\");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\a");
}

TEST_F(DirListTest, TypingARelativePathListsItsFiles) {
  tree_->Init();
  Touch(C() / "Windows" / "System" / "sys.ini");
  tree_->SetDirectory("C:\\Windows");
  edit_->SetText("System\\");
  EXPECT_TRUE(edit_->SimulateKeyDown(VK_RETURN, 0));
  EXPECT_EQ(tree_->Location, "C:\\Windows\\System\\");
  ASSERT_EQ(fileList_.Items()->Count(), 1);
  EXPECT_EQ((*fileList_.Items())[0]->Caption(), "sys.ini");
}

TEST_F(DirListTest, EnterInTheLocationLineOpensTheTypedPathAndIsConsumed) {
  tree_->Init();
  edit_->SetText("C:\\a\\b");
  EXPECT_FALSE(edit_->SimulateKeyDown('X', 0, 'x'));
  EXPECT_EQ(tree_->Location, "");
  EXPECT_TRUE(edit_->SimulateKeyDown(VK_RETURN, 0));
  EXPECT_EQ(tree_->Location, "C:\\a\\b\\");
  ASSERT_NE(tree_->Selected(), nullptr);
  EXPECT_EQ(tree_->Selected()->Text(), "b");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\a\\b");
}

TEST_F(DirListTest, UpDirectoryMovesOnlyTheSelectionAndTheLine) {
  tree_->Init();
  tree_->UpDirectory();  // nothing selected yet
  EXPECT_EQ(tree_->Selected(), nullptr);
  EXPECT_EQ(edit_->Text(), "My Computer");

  tree_->SetDirectory("C:\\Windows\\System");
  EXPECT_EQ(tree_->Selected()->Text(), "System");
  tree_->UpDirectory();
  TTreeNode* windows = tree_->Selected();
  ASSERT_NE(windows, nullptr);
  EXPECT_EQ(windows->Text(), "Windows");
  EXPECT_FALSE(windows->Expanded());
  EXPECT_EQ(edit_->Text(), "C:\\Windows");
  EXPECT_EQ(tree_->Location, "C:\\Windows\\System\\");
  tree_->UpDirectory();
  EXPECT_EQ(tree_->Selected(), DriveC());
  EXPECT_EQ(edit_->Text(), "C:\\");
  EXPECT_FALSE(DriveC()->Expanded());
  // Up from an open drive: the root closes, the drive below keeps its state.
  DriveC()->Expand(false);
  EXPECT_EQ(tree_->Location, "C:\\") << "the expansion moves it";
  tree_->UpDirectory();
  EXPECT_EQ(tree_->Selected(), Root());
  EXPECT_FALSE(Root()->Expanded());
  EXPECT_TRUE(DriveC()->Expanded()) << "descendants keep their state";
  EXPECT_EQ(edit_->Text(), "My Computer");
  tree_->UpDirectory();
  EXPECT_EQ(tree_->Selected(), Root());
  EXPECT_EQ(tree_->Location, "C:\\");
  EXPECT_EQ(fileList_.Directory(), "C:\\Windows\\System\\");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\Windows\\System");
}

TEST_F(DirListTest, ATreeWithoutLinksSetsOnlyLocation) {
  TDirList picker(form_.get());
  picker.SetParent(form_.get());
  picker.SetBounds(0, 0, 300, 500);
  picker.SetReadOnly(true);
  picker.Init();
  picker.Items()->GetFirstNode()->Expand(false);
  int changes = 0;
  picker.OnChangeDir = [&](TObject*) { ++changes; };
  TTreeNode* drive = nullptr;
  for (TTreeNode* n = picker.Items()->GetFirstNode()->getFirstChild(); n != nullptr; n = n->getNextSibling())
    if (n->Text() == "(C:)") drive = n;
  ASSERT_NE(drive, nullptr);
  const TRect r = drive->DisplayRect(true);
  QTest::mouseClick(static_cast<QAbstractItemView*>(picker.Widget())->viewport(), Qt::LeftButton, {},
                    QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  EXPECT_EQ(picker.Location, "C:\\");
  EXPECT_EQ(changes, 1);
  picker.SetDirectory("C:\\Windows");
  EXPECT_EQ(picker.Location, "C:\\Windows\\");
  EXPECT_EQ(picker.Selected()->Text(), "Windows");
  picker.UpDirectory();
  EXPECT_EQ(picker.Selected(), drive);
  EXPECT_EQ(edit_->Text(), "") << "the main tree's line is not linked here";
}

TEST_F(DirListTest, CaseTwinsBothShowAndTheWalkTakesTheExactSpelling) {
  fs::create_directories(C() / "twins" / "a" / "lower");
  fs::create_directories(C() / "twins" / "A" / "upper");
  tree_->Init();
  tree_->SetDirectory("C:\\twins");
  TTreeNode* twins = tree_->Selected();
  ASSERT_NE(twins, nullptr);
  EXPECT_EQ(Texts(twins), (std::vector<std::string>{"a", "A"}));
  tree_->SetDirectory("C:\\twins\\A\\upper");
  ASSERT_NE(tree_->Selected(), nullptr);
  EXPECT_EQ(tree_->Selected()->Text(), "upper");
  EXPECT_EQ(tree_->Selected()->Parent()->Text(), "A");
  tree_->SetDirectory("c:\\TWINS\\a\\lower");
  EXPECT_EQ(tree_->Selected()->Text(), "lower");
  // Neither spelling typed: the drive map opens the first in byte order ("A"),
  // and the walk follows it.
  fs::create_directories(C() / "twins" / "a" / "both");
  fs::create_directories(C() / "twins" / "A" / "both");
  tree_->SetDirectory("C:\\Twins\\a\\Both");
  EXPECT_EQ(GetCurrentDirectoryA(), "C:\\twins\\a\\both");
  EXPECT_EQ(tree_->Selected()->Parent()->Text(), "a");
}

TEST_F(DirListTest, VanishedAndUnreadableFoldersEndUpWithoutChildren) {
  fs::create_directories(C() / "gone" / "child");
  fs::create_directories(C() / "locked" / "child");
  tree_->Init();
  DriveC()->Expand(false);
  TTreeNode* gone = Child(DriveC(), "gone");
  ASSERT_TRUE(gone != nullptr && gone->HasChildren());
  fs::remove_all(C() / "gone");
  gone->Expand(false);
  EXPECT_FALSE(gone->HasChildren());
  EXPECT_FALSE(gone->Expanded());
  {
    testing_support::ScriptedMessageBoxes boxes;
    Click(gone);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Can't change directory to C:\\gone"}))
        << "the file list says so";
  }
  EXPECT_EQ(tree_->Location, "C:\\gone");
  tree_->SetDirectory("C:\\gone");
  EXPECT_EQ(tree_->Location, "C:\\gone") << "a folder that cannot be entered changes nothing";

  fs::permissions(C() / "locked", fs::perms::none);
  std::error_code error;
  const bool enforced = !fs::is_directory(C() / "locked" / "child", error);
  TTreeNode* locked = Child(DriveC(), "locked");
  locked->Expand(false);
  if (enforced) {
    EXPECT_FALSE(locked->HasChildren());
  }
  fs::permissions(C() / "locked", fs::perms::owner_all);
}

TEST_F(DirListTest, ALinkToAnAncestorIsReadOnlyAsDeepAsAsked) {
  fs::create_directories(C() / "loop");
  fs::create_directory_symlink("..", C() / "loop" / "up");
  tree_->Init();
  DriveC()->Expand(false);
  TTreeNode* node = Child(DriveC(), "loop");
  for (int level = 0; level < 8; ++level) {
    ASSERT_NE(node, nullptr) << level;
    const int before = tree_->Items()->Count();
    node->Expand(false);
    EXPECT_LT(tree_->Items()->Count(), before + 40) << "two levels only";
    node = Child(node, level % 2 == 0 ? "up" : "loop");
  }
  tree_->SetDirectory("C:\\loop\\up\\loop\\up\\loop");
  ASSERT_NE(tree_->Selected(), nullptr);
  EXPECT_EQ(tree_->Selected()->Text(), "loop");
  EXPECT_EQ(tree_->Selected()->Level(), 6);
}

// A folder longer than the tree reads at one go.
constexpr int kLongFolder = 6000;

void FillWithFiles(const fs::path& folder, int files) {
  fs::create_directories(folder);
  for (int n = 0; n < files; ++n) std::ofstream(folder / ("file" + std::to_string(n) + ".txt"));
}

TEST_F(DirListTest, AFolderWhoseOnlyFolderIsALinkShowsItsExpandButton) {
  // The link count of such a folder says it has no sub-folder of its own.
  struct Case {
    const char* name;
    int files;
    bool link;
    bool folder;
  };
  const Case cases[] = {
      {"shortlink", 3, true, false},
      {"longlink", kLongFolder, true, false},
      {"longfolder", kLongFolder, false, true},
      {"longfiles", kLongFolder, false, false},
  };
  fs::create_directories(C() / "target" / "inside");
  for (const Case& c : cases) {
    FillWithFiles(C() / "side" / c.name, c.files);
    if (c.link) fs::create_directory_symlink(C() / "target", C() / "side" / c.name / "link");
    if (c.folder) fs::create_directories(C() / "side" / c.name / "zz-sub");
  }
  tree_->Init();
  tree_->SetDirectory("C:\\side\\shortlink");
  TTreeNode* side = Child(DriveC(), "side");
  ASSERT_NE(side, nullptr);
  EXPECT_TRUE(Child(side, "shortlink")->HasChildren());
  EXPECT_TRUE(Child(side, "longfolder")->HasChildren()) << "a folder of its own shows at once";
  // What is left of the long folders is read while the window idles.
  const auto expected = [](const Case& c) {
    std::vector<std::string> texts;
    if (c.link) texts.push_back("link");
    if (c.folder) texts.push_back("zz-sub");
    return texts;
  };
  const auto allRead = [&] {
    for (const Case& c : cases)
      if (Texts(Child(side, c.name)) != expected(c)) return false;
    return true;
  };
  EXPECT_TRUE(QTest::qWaitFor(allRead, 5000));
  QTest::qWait(20);
  for (const Case& c : cases) EXPECT_EQ(Texts(Child(side, c.name)), expected(c)) << c.name;
  EXPECT_EQ(Texts(side), (std::vector<std::string>{"longfiles", "longfolder", "longlink", "shortlink"}));
}

TEST_F(DirListTest, AFolderReadAgainOrWalkedThroughWhileStillBeingRead) {
  FillWithFiles(C() / "side" / "long", kLongFolder);
  fs::create_directories(C() / "target" / "inside");
  fs::create_directory_symlink(C() / "target", C() / "side" / "long" / "link");
  tree_->Init();
  DriveC()->Expand(false);
  TTreeNode* side = Child(DriveC(), "side");
  side->Expand(false);
  side->Collapse(false);
  side->Expand(false);  // the read still going on belongs to nodes now gone
  tree_->Init();        // and again, the whole tree built anew
  tree_->SetDirectory("C:\\side\\long\\link");
  ASSERT_NE(tree_->Selected(), nullptr);
  EXPECT_EQ(tree_->Selected()->Text(), "link");
  EXPECT_EQ(tree_->Selected()->Level(), 4);
  EXPECT_EQ(Texts(tree_->Selected()), (std::vector<std::string>{"inside"}));
  EXPECT_EQ(tree_->Location, "C:\\side\\long\\link\\");
  QTest::qWait(50);
  EXPECT_EQ(Texts(tree_->Selected()->Parent()), (std::vector<std::string>{"link"}));
}

}  // namespace
