#include "framework/treeview/TreeView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>
#include <vector>

#include "framework/core/Dispatch.h"
#include "framework/forms/KeyedView.h"
#include "framework/graphics/ImageList.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodeModel.h"
#include "framework/treeview/TreeNodes.h"
#include "platform/system/Locale.h"

// The plain nodes are the only store; one model adapter shows them in a
// QTreeView. The expanded state lives in the nodes: Qt's own expansions by
// button, double click or key are reported after the fact (QTreeView has
// no hook before), so OnExpanding runs then, while the node still reads
// as collapsed, and a refused expansion is undone before anything is drawn.
struct TTreeView::Impl {
  KeyedView<QTreeView>* view = nullptr;
  std::unique_ptr<TTreeNodes> items;
  TreeNodeModel* model = nullptr;
  // Set while the tree itself expands, collapses or selects in Qt, so the
  // echo is not taken for the user's action.
  bool syncing = false;
};

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner), impl_(std::make_unique<Impl>()) {
  Impl& d = *impl_;
  d.items = std::make_unique<TTreeNodes>(this);
  d.view = new KeyedView<QTreeView>;
  d.model = new TreeNodeModel(this, d.items.get());
  d.model->setParent(d.view);
  d.items->model_ = d.model;
  d.view->setModel(d.model);
  d.view->setHeaderHidden(true);
  d.view->setUniformRowHeights(true);
  d.view->setAnimated(false);
  d.view->keepSelectionOnRightClick = true;
  d.view->setRootIsDecorated(true);
  d.view->setExpandsOnDoubleClick(true);
  d.view->setSelectionMode(QAbstractItemView::SingleSelection);
  d.view->setIndentation(19);
  d.view->header()->setStretchLastSection(true);

  QObject::connect(d.view, &QTreeView::expanded, d.view, [this](const QModelIndex& index) {
    if (!impl_->syncing) UserExpanded(impl_->model->NodeOf(index));
  });
  QObject::connect(d.view, &QTreeView::collapsed, d.view, [this](const QModelIndex& index) {
    if (!impl_->syncing && index.isValid()) impl_->model->NodeOf(index)->expanded_ = false;
  });
  QObject::connect(d.view->selectionModel(), &QItemSelectionModel::selectionChanged, d.view,
                   [this](const QItemSelection&, const QItemSelection&) {
                     if (impl_->syncing) return;
                     const QModelIndexList indexes = impl_->view->selectionModel()->selectedIndexes();
                     TTreeNode* previous = selected_;
                     selected_ = indexes.isEmpty() ? nullptr : impl_->model->NodeOf(indexes.first());
                     // Only the selected node shows its selected image.
                     if (previous != nullptr && previous != selected_) impl_->model->NodeChanged(previous);
                   });

  SetWidget(d.view);
  WatchInput(d.view->viewport());
  SetColor(clWindow);
  SetReadOnly(false);
}

TTreeView::~TTreeView() { delete impl_->view; }

TTreeNodes* TTreeView::Items() const { return impl_->items.get(); }

void TTreeView::SetImages(TImageList* images) {
  images_ = images;
  if (images != nullptr) impl_->view->setIconSize(QSize(images->Width(), images->Height()));
  impl_->view->viewport()->update();
}

void TTreeView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  impl_->view->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers : QAbstractItemView::SelectedClicked);
}

int TTreeView::Indent() const { return impl_->view->indentation(); }
void TTreeView::SetIndent(int indent) { impl_->view->setIndentation(indent); }

void TTreeView::SetSelected(TTreeNode* node) {
  Impl& d = *impl_;
  if (node == selected_) return;
  TTreeNode* previous = selected_;
  selected_ = node;
  d.syncing = true;
  if (node != nullptr) {
    d.view->selectionModel()->setCurrentIndex(d.model->IndexOf(node), QItemSelectionModel::ClearAndSelect);
  } else {
    d.view->selectionModel()->clearSelection();
  }
  d.syncing = false;
  if (previous != nullptr) d.model->NodeChanged(previous);
}

void TTreeView::UserExpanded(TTreeNode* node) {
  Impl& d = *impl_;
  bool allow = true;
  if (OnExpanding) DispatchEvent([&] { OnExpanding(this, node, allow); });
  if (allow && node->HasChildren()) {
    node->expanded_ = true;
  } else {
    d.syncing = true;
    d.view->collapse(d.model->IndexOf(node));
    d.syncing = false;
  }
}

void TTreeView::ExpandNode(TTreeNode* node) {
  Impl& d = *impl_;
  bool allow = true;
  if (OnExpanding) DispatchEvent([&] { OnExpanding(this, node, allow); });
  // The handler may have read the children again, or removed them all.
  if (!allow || !node->HasChildren()) return;
  node->expanded_ = true;
  d.syncing = true;
  d.view->expand(d.model->IndexOf(node));
  d.syncing = false;
}

void TTreeView::CollapseNode(TTreeNode* node) {
  Impl& d = *impl_;
  node->expanded_ = false;
  d.syncing = true;
  d.view->collapse(d.model->IndexOf(node));
  d.syncing = false;
}

void TTreeView::FullCollapse() {
  for (TTreeNode* node = impl_->items->GetFirstNode(); node != nullptr; node = node->GetNext()) node->expanded_ = false;
  impl_->syncing = true;
  impl_->view->collapseAll();
  impl_->syncing = false;
}

void TTreeView::NodesGoing(TTreeNode* node, bool self) {
  for (TTreeNode* p = selected_; p != nullptr; p = p->parent_) {
    if (p == node && (self || p != selected_)) {
      selected_ = nullptr;
      return;
    }
  }
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const {
  const QModelIndex index = impl_->view->indexAt(QPoint(x, y));
  if (!index.isValid()) return nullptr;
  // The indentation left of a node holds its expand button: a press there
  // expands the node and must not count as a click on it.
  if (x < impl_->view->visualRect(index).left()) return nullptr;
  return impl_->model->NodeOf(index);
}

namespace {
using Nodes = std::vector<std::unique_ptr<TTreeNode>>;

bool TextLess(const std::unique_ptr<TTreeNode>& a, const std::unique_ptr<TTreeNode>& b) {
  return lstrcmpA(a->Text(), b->Text()) < 0;
}

// A stable merge of two sorted runs; safe whatever the comparison returns.
void SortSiblings(Nodes& nodes, Nodes& buffer) {
  const size_t n = nodes.size();
  // Sibling lists are mostly sorted already (the tree is sorted after every
  // read): one pass finds that out.
  bool sorted = true;
  for (size_t i = 1; i < n && sorted; ++i) sorted = !TextLess(nodes[i], nodes[i - 1]);
  if (sorted) return;
  buffer.resize(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t mid = std::min(left + width, n);
      const size_t right = std::min(left + 2 * width, n);
      size_t i = left, j = mid, k = left;
      while (i < mid && j < right)
        buffer[k++] = TextLess(nodes[j], nodes[i]) ? std::move(nodes[j++]) : std::move(nodes[i++]);
      while (i < mid) buffer[k++] = std::move(nodes[i++]);
      while (j < right) buffer[k++] = std::move(nodes[j++]);
    }
    nodes.swap(buffer);
  }
  buffer.clear();
}

void SortTree(TTreeNode* root, Nodes& buffer, const std::function<Nodes&(TTreeNode*)>& children,
              const std::function<void(TTreeNode*)>& renumber) {
  std::vector<TTreeNode*> pending{root};
  while (!pending.empty()) {
    TTreeNode* node = pending.back();
    pending.pop_back();
    Nodes& list = children(node);
    SortSiblings(list, buffer);
    renumber(node);
    for (const auto& child : list) {
      if (child->HasChildren()) pending.push_back(child.get());
    }
  }
}
}  // namespace

bool TTreeView::AlphaSort() {
  Impl& d = *impl_;
  TTreeNode* root = d.items->root_.get();
  d.model->Reorder([&] {
    Nodes buffer;
    SortTree(
        root, buffer, [](TTreeNode* node) -> Nodes& { return node->children_; },
        [](TTreeNode* node) { node->Renumber(); });
  });
  return true;
}

bool TTreeView::EditNode(TTreeNode* node) {
  Impl& d = *impl_;
  if (readOnly_) return false;
  const QModelIndex index = d.model->IndexOf(node);
  d.view->setCurrentIndex(index);
  d.view->edit(index);
  return d.view->Editing();
}

bool TTreeView::IsEditing() const { return impl_->view->Editing(); }

TRect TTreeView::NodeRect(const TTreeNode* node, bool textOnly) const {
  const Impl& d = *impl_;
  const QModelIndex index = d.model->IndexOf(node);
  const QRect r = d.view->visualRect(index);
  if (!r.isValid()) return {};
  // The whole row spans the viewport; the item's own rectangle starts after
  // its indentation.
  if (textOnly) return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
  return Rect(0, r.top(), d.view->viewport()->width(), r.bottom() + 1);
}
