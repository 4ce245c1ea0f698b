// The list's keys: right after a read the first key that moves selects;
// starting an edit never changes the selection, and the Enter or Escape that
// ends it goes to the name editor alone.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "components/DirList.h"
#include "components/FileList.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/menus/MenuItem.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/ScriptedMessageBoxes.h"

namespace app_test {
namespace {

// C:\Data holds a.txt, b.txt and c.txt; text files open with a byte viewer
// that is not there, so an open shows "File not found: " instead of starting
// anything.
class ListKeys : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteFile(RegInfoFile(), "PX41\r\n.TXT; Text; -; 0; 2;\r\n");
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(drive_ / "Data" / name, name);
    OpenWindow("C:\\Data");
    form_ = MainForm;
    form_->Programs[1] = "C:\\V\\bin.exe";
    form_->Show();
    ASSERT_EQ(form_->FileList->Items()->Count(), 3);
  }

 public:
  TListItem* Item(const std::string& name) {
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Caption() == name) return (*items)[i];
    return nullptr;
  }
  void Select(const std::vector<std::string>& names) {
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i) {
      const std::string caption = (*items)[i]->Caption();
      (*items)[i]->SetSelected(std::find(names.begin(), names.end(), caption) != names.end());
    }
  }
  std::vector<std::string> Selection() {
    std::vector<std::string> names;
    TListItems* items = form_->FileList->Items();
    for (int i = 0; i < items->Count(); ++i)
      if ((*items)[i]->Selected()) names.push_back((*items)[i]->Caption());
    return names;
  }
  QWidget* View() { return form_->FileList->ActiveView(); }
  QLineEdit* Editor() { return View()->findChild<QLineEdit*>(); }
  void CtrlR() { QTest::keyClick(View(), Qt::Key_R, Qt::ControlModifier); }
  // Ends the edit with a key in the editor and lets the commit run.
  void EndEdit(Qt::Key key) {
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, key);
    QApplication::processEvents();
    // The closed editor goes, so the next edit's editor is the only one.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  TMainForm* form_ = nullptr;
  testing_support::ScriptedMessageBoxes boxes_;
};

TEST_F(ListKeys, EveryRoadToAnEditKeepsTheSelection) {
  const struct {
    const char* road;
    std::function<void(ListKeys&)> start;
  } roads[] = {
      {"Ctrl+R", [](ListKeys& t) { t.CtrlR(); }},
      {"File > Rename File", [](ListKeys& t) { t.form_->RenameFile_M->Click(); }},
      {"the pop-up menu", [](ListKeys& t) { t.form_->Rename_FM->Click(); }},
  };
  for (const auto& road : roads) {
    Select({"a.txt", "c.txt"});
    road.start(*this);
    ASSERT_TRUE(form_->FileList->IsEditing()) << road.road;
    EXPECT_EQ(Selection(), (std::vector<std::string>{"a.txt", "c.txt"})) << road.road;
    EXPECT_FALSE(form_->DirList->IsEditing()) << road.road;
    EndEdit(Qt::Key_Escape);
    EXPECT_FALSE(form_->FileList->IsEditing()) << road.road;
    EXPECT_EQ(Selection(), (std::vector<std::string>{"a.txt", "c.txt"})) << road.road;
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ListKeys, CtrlRThenEnterRenamesKeepsTheSelectionAndOpensNothing) {
  Select({"a.txt", "c.txt"});
  CtrlR();
  ASSERT_TRUE(form_->FileList->IsEditing());
  Editor()->setText("x.txt");
  EndEdit(Qt::Key_Return);
  EXPECT_FALSE(form_->FileList->IsEditing());
  EXPECT_TRUE(boxes_.Texts().empty()) << "the Enter that ends the edit opens nothing";
  EXPECT_EQ(ReadFile(drive_ / "Data" / "x.txt"), "a.txt");
  EXPECT_EQ(Selection(), (std::vector<std::string>{"x.txt", "c.txt"}));

  // A second Ctrl+R edits the first selected file again, not the tree's folder.
  CtrlR();
  EXPECT_TRUE(form_->FileList->IsEditing());
  EXPECT_FALSE(form_->DirList->IsEditing());
  Editor()->setText("y.txt");
  EndEdit(Qt::Key_Return);
  EXPECT_EQ(ReadFile(drive_ / "Data" / "y.txt"), "a.txt");
  EXPECT_TRUE(fs::exists(drive_ / "Data"));
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ListKeys, CtrlRThenEscapeThenDeleteAsksAboutTheFile) {
  Select({"b.txt"});
  CtrlR();
  ASSERT_TRUE(form_->FileList->IsEditing());
  EndEdit(Qt::Key_Escape);
  EXPECT_TRUE(boxes_.Texts().empty());
  QTest::keyClick(View(), Qt::Key_Delete);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Recycle this 1 File?"});
  EXPECT_TRUE(fs::exists(drive_ / "Data" / "b.txt"));
}

// The tree's name editor keeps its Enter too: with a file selected in the
// list, the Enter that ends a folder's rename opens nothing.
TEST_F(ListKeys, TheEnterThatEndsAFolderRenameOpensNothing) {
  Select({"a.txt"});
  form_->RenameDir_M->Click();
  ASSERT_TRUE(form_->DirList->IsEditing());
  auto* editor = form_->DirList->Widget()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Data2");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_FALSE(form_->DirList->IsEditing());
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_TRUE(fs::exists(drive_ / "Data2" / "a.txt"));
}

// At start and after F5 no item is current: Home selects the first item, End
// the last, Down the first.
TEST_F(ListKeys, HomeEndAndDownSelectRightAfterAReadAndAfterF5) {
  const struct {
    Qt::Key key;
    const char* selected;
  } cases[] = {{Qt::Key_Home, "a.txt"}, {Qt::Key_End, "c.txt"}, {Qt::Key_Down, "a.txt"}};
  for (bool refresh : {false, true}) {
    for (const auto& c : cases) {
      CloseWindow();
      OpenWindow("C:\\Data");
      form_ = MainForm;
      form_->Show();
      View()->setFocus();
      if (refresh) QTest::keyClick(View(), Qt::Key_F5);
      EXPECT_EQ(form_->FileList->ItemFocused(), nullptr);
      EXPECT_TRUE(Selection().empty());
      QTest::keyClick(View(), c.key);
      EXPECT_EQ(Selection(), std::vector<std::string>{c.selected}) << c.selected << (refresh ? " after F5" : "");
      // The next Down goes on from the item selected.
      QTest::keyClick(View(), Qt::Key_Down);
      const std::string next = c.key == Qt::Key_End ? "c.txt" : "b.txt";
      EXPECT_EQ(Selection(), std::vector<std::string>{next}) << c.selected << (refresh ? " after F5" : "");
    }
  }
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
}  // namespace app_test
