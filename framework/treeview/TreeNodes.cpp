#include "framework/treeview/TreeNodes.h"

#include "framework/core/Exception.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodeModel.h"
#include "framework/treeview/TreeView.h"

TTreeNodes::TTreeNodes(TTreeView* owner)
    : view_(owner), root_(std::unique_ptr<TTreeNode>(new TTreeNode(this, nullptr))) {}

TTreeNodes::~TTreeNodes() = default;

void TTreeNodes::Clear() {
  if (root_->children_.empty()) return;
  if (model_ != nullptr) {
    view_->NodesGoing(root_.get(), false);
    model_->beginResetModel();
  }
  root_->children_.clear();
  root_->childrenDirty_ = false;
  count_ = 0;
  if (model_ != nullptr) model_->endResetModel();
}

TTreeNode* TTreeNodes::ParentFor(TTreeNode* node) {
  // A node of another collection (an anchor) stands for the top level here.
  if (node == nullptr || node->owner_ != this) return root_.get();
  return node;
}

TTreeNode* TTreeNodes::Insert(TTreeNode* parent, int position, const std::string& text) {
  auto node = std::unique_ptr<TTreeNode>(new TTreeNode(this, parent));
  node->text_ = text;
  TTreeNode* added = node.get();
  const bool last = position == parent->Count();
  if (model_ != nullptr) model_->beginInsertRows(model_->IndexOf(parent), position, position);
  if (last) {
    added->index_ = position;
    parent->children_.push_back(std::move(node));
  } else {
    parent->children_.insert(parent->children_.begin() + position, std::move(node));
    parent->childrenDirty_ = true;
  }
  ++count_;
  if (model_ != nullptr) model_->endInsertRows();
  return added;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
  TTreeNode* parent =
      sibling != nullptr && sibling->owner_ == this && sibling->Parent() != nullptr ? sibling->Parent() : root_.get();
  return Insert(parent, parent->Count(), text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
  TTreeNode* p = ParentFor(parent);
  return Insert(p, p->Count(), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
  return Insert(ParentFor(parent), 0, text);
}

TTreeNode* TTreeNodes::GetFirstNode() const { return root_->getFirstChild(); }

TTreeNode* TTreeNodes::Item(int index) const {
  if (index < 0 || index >= count_) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  TTreeNode* node = GetFirstNode();
  for (int i = 0; i < index && node != nullptr; ++i) node = node->GetNext();
  return node;
}
