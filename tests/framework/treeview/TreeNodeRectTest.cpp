#include <gtest/gtest.h>

#include "framework/controls/Edit.h"
#include "framework/forms/Form.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "framework/treeview/TreeView.h"

namespace {

// A form that owns and holds a tree view and an edit frees them after its
// own window; each control's widget must still be its own to free then.
TEST(TreeViewOnForm, AFormFreesTheControlsItHolds) {
  auto* form = new TForm(nullptr);
  auto* tree = new TTreeView(form);
  tree->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  tree->Items()->AddChild(nullptr, "node");
  form->Show();
  delete form;  // the sanitizer build reports a second free or a stale widget
  SUCCEED();
}

TEST(TreeViewOnForm, ANodesRectIsItsRowWhileItIsShown) {
  TForm form(nullptr);
  auto* tree = new TTreeView(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 200, 300);
  TTreeNode* top = tree->Items()->AddChild(nullptr, "top");
  TTreeNode* second = tree->Items()->AddChild(nullptr, "second");
  TTreeNode* child = tree->Items()->AddChild(top, "child");
  form.Show();
  EXPECT_EQ(child->DisplayRect(false), TRect{}) << "below a collapsed node";
  top->Expand(false);
  for (TTreeNode* node : {top, child, second}) {
    const TRect row = node->DisplayRect(false);
    const TRect text = node->DisplayRect(true);
    EXPECT_GT(row.Height(), 0) << node->Text();
    EXPECT_EQ(row.Left, 0);
    EXPECT_GE(text.Left, row.Left);
    EXPECT_EQ(tree->GetNodeAt((text.Left + text.Right) / 2, (text.Top + text.Bottom) / 2), node) << node->Text();
  }
  EXPECT_GT(child->DisplayRect(true).Left, top->DisplayRect(true).Left) << "indented";
  EXPECT_LT(top->DisplayRect(false).Top, child->DisplayRect(false).Top);
}

}  // namespace
