#include "framework/treeview/TreeNode.h"

#include "framework/core/Exception.h"
#include "framework/treeview/TreeNodeModel.h"
#include "framework/treeview/TreeNodes.h"
#include "framework/treeview/TreeView.h"

TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const { return owner_->Owner(); }

namespace {
// The tree view that shows a node; nullptr for a node of a collection that
// is not the tree's Items.
TTreeView* ShownIn(const TTreeNode* node) {
  return node->Owner()->Owner() != nullptr && node->Owner()->Owner()->Items() == node->Owner() ? node->Owner()->Owner()
                                                                                               : nullptr;
}
}  // namespace

void TTreeNode::SetText(const std::string& text) {
  text_ = text;
  if (owner_->model_ != nullptr) owner_->model_->NodeChanged(this);
}

void TTreeNode::SetImageIndex(int index) {
  imageIndex_ = index;
  if (owner_->model_ != nullptr) owner_->model_->NodeChanged(this);
}

void TTreeNode::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  if (owner_->model_ != nullptr) owner_->model_->NodeChanged(this);
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* p = parent_; p != nullptr && p->parent_ != nullptr; p = p->parent_) ++level;
  return level;
}

TTreeNode* TTreeNode::Parent() const { return parent_ != nullptr && parent_->parent_ != nullptr ? parent_ : nullptr; }

TTreeNode* TTreeNode::getFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }

TTreeNode* TTreeNode::getNextSibling() const {
  if (parent_ == nullptr) return nullptr;
  const size_t next = static_cast<size_t>(Index()) + 1;
  return next < parent_->children_.size() ? parent_->children_[next].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!children_.empty()) return children_.front().get();
  for (const TTreeNode* node = this; node != nullptr; node = node->Parent()) {
    if (TTreeNode* sibling = node->getNextSibling()) return sibling;
  }
  return nullptr;
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return children_[static_cast<size_t>(index)].get();
}

int TTreeNode::Index() const {
  if (parent_ == nullptr) return 0;
  if (parent_->childrenDirty_) parent_->Renumber();
  return index_;
}

void TTreeNode::Renumber() const {
  int i = 0;
  for (const auto& child : children_) child->index_ = i++;
  childrenDirty_ = false;
}

int TTreeNode::SubtreeSize() const {
  int size = 1;
  for (const auto& child : children_) size += child->SubtreeSize();
  return size;
}

void TTreeNode::SetExpanded(bool expanded) {
  if (expanded) {
    Expand(false);
  } else {
    Collapse(false);
  }
}

void TTreeNode::Expand(bool recurse) {
  if (!expanded_ && HasChildren()) {
    if (TTreeView* view = ShownIn(this)) {
      view->ExpandNode(this);
    } else {
      expanded_ = true;
    }
  }
  if (recurse) {
    // The expansion handler may replace the children: take them as they are now.
    for (int i = 0; i < Count(); ++i) children_[static_cast<size_t>(i)]->Expand(true);
  }
}

void TTreeNode::Collapse(bool recurse) {
  if (TTreeView* view = ShownIn(this)) {
    view->CollapseNode(this);
  } else {
    expanded_ = false;
  }
  if (recurse) {
    for (const auto& child : children_) child->Collapse(true);
  }
}

bool TTreeNode::Selected() const {
  const TTreeView* view = ShownIn(this);
  return view != nullptr && view->Selected() == this;
}

void TTreeNode::SetSelected(bool selected) {
  TTreeView* view = ShownIn(this);
  if (view == nullptr) return;
  if (selected) {
    view->SetSelected(this);
  } else if (Selected()) {
    view->SetSelected(nullptr);
  }
}

void TTreeNode::DeleteChildren() {
  if (children_.empty()) return;
  TreeNodeModel* model = owner_->model_;
  if (TTreeView* view = ShownIn(this)) view->NodesGoing(this, false);
  int removed = 0;
  for (const auto& child : children_) removed += child->SubtreeSize();
  if (model != nullptr) model->beginRemoveRows(model->IndexOf(this), 0, Count() - 1);
  children_.clear();
  childrenDirty_ = false;
  owner_->count_ -= removed;
  if (model != nullptr) model->endRemoveRows();
}

void TTreeNode::Delete() {
  TTreeNodes* owner = owner_;
  TTreeNode* parent = parent_;
  TreeNodeModel* model = owner->model_;
  if (TTreeView* view = ShownIn(this)) view->NodesGoing(this, true);
  const int row = Index();
  const int removed = SubtreeSize();
  if (model != nullptr) model->beginRemoveRows(model->IndexOf(parent), row, row);
  // Moving the node out first keeps it alive until Qt has been told.
  std::unique_ptr<TTreeNode> self = std::move(parent->children_[static_cast<size_t>(row)]);
  parent->children_.erase(parent->children_.begin() + row);
  parent->childrenDirty_ = true;
  owner->count_ -= removed;
  if (model != nullptr) model->endRemoveRows();
  // `self` frees this node here; nothing may touch members after this line.
}

bool TTreeNode::EditText() {
  TTreeView* view = ShownIn(this);
  return view != nullptr && view->EditNode(this);
}

TRect TTreeNode::DisplayRect(bool textOnly) const {
  const TTreeView* view = ShownIn(this);
  return view != nullptr ? view->NodeRect(this, textOnly) : TRect{};
}
