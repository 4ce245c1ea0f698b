#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTreeView>

#include "framework/core/VirtualKeys.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "framework/treeview/TreeView.h"
#include "platform/system/Locale.h"

namespace {

// A user's double click: press, release, then the double click and its release.
void DoubleClick(QWidget* widget, QPoint at) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  QMouseEvent twice(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &twice);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// A shown tree: root / {b, a / {a2, a1}, c}, with Qt's model checker watching.
class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(300, 400);
    tree_ = std::make_unique<TTreeView>(nullptr);
    tree_->Widget()->setParent(window_.get());
    tree_->SetBounds(0, 0, 280, 380);
    tester_ = std::make_unique<QAbstractItemModelTester>(View()->model(),
                                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    TTreeNodes* items = tree_->Items();
    root_ = items->Add(nullptr, "root");
    b_ = items->AddChild(root_, "b");
    a_ = items->AddChild(root_, "a");
    c_ = items->AddChild(root_, "c");
    items->AddChild(a_, "a2");
    items->AddChild(a_, "a1");
    window_->show();
  }

  QTreeView* View() const { return static_cast<QTreeView*>(tree_->Widget()); }
  // The Qt index of a node, found by walking the model down the node's path.
  QModelIndex IndexOf(TTreeNode* node) const {
    std::vector<int> rows;
    for (TTreeNode* n = node; n != nullptr; n = n->Parent()) rows.insert(rows.begin(), n->Index());
    QModelIndex index;
    for (int row : rows) index = View()->model()->index(row, 0, index);
    return index;
  }
  QRect RowOf(TTreeNode* node) const { return View()->visualRect(IndexOf(node)); }
  static std::vector<std::string> Texts(TTreeNode* parent) {
    std::vector<std::string> out;
    for (TTreeNode* n = parent->getFirstChild(); n != nullptr; n = n->getNextSibling()) out.push_back(n->Text());
    return out;
  }

  std::unique_ptr<QWidget> window_;
  std::unique_ptr<TTreeView> tree_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
  TTreeNode* root_ = nullptr;
  TTreeNode *a_ = nullptr, *b_ = nullptr, *c_ = nullptr;
};

TEST_F(TreeViewTest, NodesKnowTheirPlace) {
  EXPECT_EQ(tree_->Items()->Count(), 6);
  EXPECT_EQ(tree_->Items()->GetFirstNode(), root_);
  EXPECT_EQ(root_->Level(), 0);
  EXPECT_EQ(a_->getFirstChild()->Level(), 2);
  EXPECT_EQ(a_->Parent(), root_);
  EXPECT_EQ(root_->Parent(), nullptr);
  EXPECT_EQ(a_->Index(), 1);
  EXPECT_EQ(root_->Item(2), c_);
  // Walk order: root, b, a, a2, a1, c.
  std::vector<std::string> walk;
  for (TTreeNode* n = tree_->Items()->GetFirstNode(); n != nullptr; n = n->GetNext()) walk.push_back(n->Text());
  EXPECT_EQ(walk, (std::vector<std::string>{"root", "b", "a", "a2", "a1", "c"}));
  EXPECT_EQ(tree_->Items()->Item(4)->Text(), "a1");
  TTreeNode* first = tree_->Items()->AddChildFirst(a_, "a0");
  EXPECT_EQ(a_->getFirstChild(), first);
  EXPECT_EQ(a_->Item(1)->Index(), 1);
}

TEST_F(TreeViewTest, AnAnchorOfAnotherCollectionPutsItsSiblingAtTheTopLevel) {
  TTreeNodes anchors(tree_.get());
  TTreeNode* anchor = anchors.Add(nullptr, "");
  EXPECT_EQ(anchor->Parent(), nullptr);
  EXPECT_EQ(tree_->Items()->Count(), 6) << "the anchor stands nowhere in the tree";
  TTreeNode* second = tree_->Items()->Add(anchor, "second root");
  EXPECT_EQ(second->Level(), 0);
  EXPECT_EQ(root_->getNextSibling(), second);
  EXPECT_EQ(View()->model()->rowCount(), 2);
  // A sibling inside the tree adds at its own level.
  EXPECT_EQ(tree_->Items()->Add(b_, "d")->Parent(), root_);
}

TEST_F(TreeViewTest, OnExpandingRunsOnlyForNodesWithChildren) {
  std::vector<std::string> expanding;
  tree_->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
    expanding.push_back(node->Text());
    EXPECT_FALSE(node->Expanded()) << "runs before the node expands";
  };
  b_->SetExpanded(true);
  EXPECT_FALSE(b_->Expanded());
  root_->SetExpanded(true);
  EXPECT_TRUE(root_->Expanded());
  EXPECT_TRUE(View()->isExpanded(View()->model()->index(0, 0)));
  root_->SetExpanded(true);  // already expanded: nothing runs
  EXPECT_EQ(expanding, (std::vector<std::string>{"root"}));

  // The user's double click expands too, through the handler.
  DoubleClick(View()->viewport(), RowOf(a_).center());
  EXPECT_EQ(expanding, (std::vector<std::string>{"root", "a"}));
  EXPECT_TRUE(a_->Expanded());
  // And the key that opens a node.
  a_->Collapse(false);
  View()->setFocus();
  View()->setCurrentIndex(View()->model()->index(1, 0, View()->model()->index(0, 0)));
  QTest::keyClick(View(), Qt::Key_Right);
  EXPECT_EQ(expanding.back(), "a");
  EXPECT_TRUE(a_->Expanded());
}

TEST_F(TreeViewTest, ARefusedExpansionLeavesTheNodeCollapsed) {
  tree_->OnExpanding = [&](TObject*, TTreeNode*, bool& allow) { allow = false; };
  root_->Expand(false);
  EXPECT_FALSE(root_->Expanded());
  EXPECT_FALSE(View()->isExpanded(View()->model()->index(0, 0)));
}

TEST_F(TreeViewTest, AHandlerMayReadTheChildrenAgain) {
  root_->Expand(false);
  tree_->OnExpanding = [&](TObject*, TTreeNode* node, bool&) {
    node->DeleteChildren();
    tree_->Items()->AddChild(node, "fresh2");
    tree_->Items()->AddChild(node, "fresh1");
    tree_->AlphaSort();
  };
  DoubleClick(View()->viewport(), RowOf(a_).center());
  EXPECT_EQ(Texts(a_), (std::vector<std::string>{"fresh1", "fresh2"}));
  EXPECT_TRUE(a_->Expanded());
  EXPECT_TRUE(View()->isExpanded(IndexOf(a_)));
  EXPECT_EQ(tree_->Items()->Count(), 6);
}

TEST_F(TreeViewTest, CollapseKeepsTheStateOfNodesBelowUnlessRecursing) {
  root_->Expand(false);
  a_->Expand(false);
  root_->Collapse(false);
  EXPECT_FALSE(root_->Expanded());
  EXPECT_TRUE(a_->Expanded());
  root_->Expand(false);
  EXPECT_TRUE(View()->isExpanded(View()->model()->index(1, 0, View()->model()->index(0, 0))));
  root_->Collapse(true);
  EXPECT_FALSE(a_->Expanded());
  root_->Expand(true);
  EXPECT_TRUE(a_->Expanded());
  tree_->FullCollapse();
  EXPECT_FALSE(root_->Expanded());
  EXPECT_FALSE(a_->Expanded());
}

TEST_F(TreeViewTest, GetNodeAtFindsTheRowOfAClickPoint) {
  root_->Expand(false);
  std::vector<TTreeNode*> found;
  tree_->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
    EXPECT_EQ(button, mbRight);
    EXPECT_TRUE(shift & ssShift);
    found.push_back(tree_->GetNodeAt(x, y));
  };
  const QRect row = RowOf(c_);
  QTest::mouseClick(View()->viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(row.left() + 2, row.center().y()));
  QTest::mouseClick(View()->viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(2, row.center().y()));
  QTest::mouseClick(View()->viewport(), Qt::RightButton, Qt::ShiftModifier,
                    QPoint(5, View()->viewport()->height() - 2));
  // The indentation holds the expand button: no node there.
  EXPECT_EQ(found, (std::vector<TTreeNode*>{c_, nullptr, nullptr}));
}

TEST_F(TreeViewTest, AlphaSortSortsEveryLevelCaseCounting) {
  ASSERT_NE(lstrcmpA("b", "B"), 0) << "the comparison counts case";
  root_->Expand(false);
  a_->Expand(false);
  // Put first, "B" would stay before "b" if case were ignored (the sort is stable).
  tree_->Items()->AddChildFirst(root_, "B");
  tree_->Items()->Add(nullptr, "Aroot");
  c_->SetSelected(true);
  tree_->AlphaSort();
  EXPECT_EQ(tree_->Items()->GetFirstNode()->Text(), "Aroot");
  const std::vector<std::string> texts = Texts(root_);
  ASSERT_EQ(texts.size(), 4u);
  for (size_t i = 1; i < texts.size(); ++i) EXPECT_LT(lstrcmpA(texts[i - 1], texts[i]), 0) << texts[i];
  EXPECT_EQ(Texts(a_), (std::vector<std::string>{"a1", "a2"}));
  for (int i = 0; i < root_->Count(); ++i) EXPECT_EQ(root_->Item(i)->Index(), i);
  // Qt's view follows: selection and expansion stay with their nodes.
  EXPECT_EQ(tree_->Selected(), c_);
  EXPECT_TRUE(View()->selectionModel()->isSelected(IndexOf(c_)));
  EXPECT_TRUE(View()->isExpanded(IndexOf(a_)));
  EXPECT_EQ(IndexOf(a_).data().toString(), "a");
}

TEST_F(TreeViewTest, SelectionFollowsClicksAndCode) {
  root_->Expand(false);
  QTest::mouseClick(View()->viewport(), Qt::LeftButton, {}, RowOf(b_).center());
  EXPECT_EQ(tree_->Selected(), b_);
  EXPECT_TRUE(b_->Selected());
  c_->SetSelected(true);
  EXPECT_EQ(View()->selectionModel()->selectedIndexes().size(), 1);
  EXPECT_FALSE(b_->Selected());
  // A right click reports the press but leaves the selection where it was:
  // the pop-up menu acts on the selected node.
  int presses = 0;
  tree_->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) { presses += button == mbRight; };
  QTest::mouseClick(View()->viewport(), Qt::RightButton, {}, RowOf(a_).center());
  EXPECT_EQ(presses, 1);
  EXPECT_EQ(tree_->Selected(), c_);
  EXPECT_EQ(View()->currentIndex(), IndexOf(c_));
  // Deleting the selected node hands the selection to a neighbour, as the view does.
  c_->Delete();
  EXPECT_EQ(tree_->Selected(), a_);
  EXPECT_EQ(tree_->Items()->Count(), 5);
}

TEST_F(TreeViewTest, DeleteChildrenRemovesTheWholeBranch) {
  root_->Expand(false);
  a_->Expand(false);
  a_->getFirstChild()->SetSelected(true);
  root_->DeleteChildren();
  EXPECT_FALSE(root_->HasChildren());
  EXPECT_EQ(tree_->Items()->Count(), 1);
  EXPECT_EQ(tree_->Selected(), nullptr);
  tree_->Items()->Clear();
  EXPECT_EQ(tree_->Items()->Count(), 0);
  EXPECT_EQ(tree_->Items()->GetFirstNode(), nullptr);
}

TEST_F(TreeViewTest, EditedTextGoesThroughOnEdited) {
  root_->Expand(false);
  tree_->OnEdited = [&](TObject*, TTreeNode* node, std::string& s) {
    EXPECT_EQ(node, b_);
    EXPECT_EQ(s, "new");
    s = "b";  // the handler refuses the new name
  };
  ASSERT_TRUE(b_->EditText());
  EXPECT_TRUE(tree_->IsEditing());
  auto* editor = View()->viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->setText("new");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the editor commits through a queued call
  EXPECT_EQ(b_->Text(), "b");
  tree_->SetReadOnly(true);
  EXPECT_FALSE(b_->EditText());
}

TEST_F(TreeViewTest, KeysReachOnKeyDown) {
  unsigned short seen = 0;
  tree_->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { seen = key; };
  QTest::keyClick(View(), Qt::Key_F5);
  EXPECT_EQ(seen, VK_F5);
  EXPECT_EQ(tree_->Indent(), 19);
}

}  // namespace
