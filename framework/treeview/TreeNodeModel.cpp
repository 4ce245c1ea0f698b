#include "framework/treeview/TreeNodeModel.h"

#include <QPixmap>

#include "framework/core/Dispatch.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/QtConvert.h"
#include "framework/treeview/TreeNode.h"
#include "framework/treeview/TreeNodes.h"
#include "framework/treeview/TreeView.h"

TreeNodeModel::TreeNodeModel(TTreeView* view, TTreeNodes* nodes) : view_(view), nodes_(nodes) {}

TTreeNode* TreeNodeModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TTreeNode*>(index.internalPointer()) : nodes_->root_.get();
}

QModelIndex TreeNodeModel::IndexOf(const TTreeNode* node) const {
  if (node == nullptr || node == nodes_->root_.get()) return {};
  return createIndex(node->Index(), 0, const_cast<TTreeNode*>(node));
}

QModelIndex TreeNodeModel::index(int row, int column, const QModelIndex& parent) const {
  const TTreeNode* node = NodeOf(parent);
  if (column != 0 || row < 0 || row >= node->Count()) return {};
  TTreeNode* child = node->children_[static_cast<size_t>(row)].get();
  // The row is known here: the child's cached position may be stale.
  return createIndex(row, 0, child);
}

QModelIndex TreeNodeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOf(NodeOf(child)->parent_);
}

int TreeNodeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return NodeOf(parent)->Count();
}

int TreeNodeModel::columnCount(const QModelIndex&) const { return 1; }

bool TreeNodeModel::hasChildren(const QModelIndex& parent) const {
  if (parent.column() > 0) return false;
  return NodeOf(parent)->HasChildren();
}

QVariant TreeNodeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const TTreeNode* node = NodeOf(index);
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QtText(node->Text());
    case Qt::DecorationRole: {
      const TImageList* images = view_->Images();
      const int image = view_->Selected() == node ? node->SelectedIndex() : node->ImageIndex();
      if (images == nullptr || image < 0) return {};
      const QPixmap pixmap = images->Pixmap(image);
      if (pixmap.isNull()) return {};
      return pixmap;
    }
    default: return {};
  }
}

bool TreeNodeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  TTreeNode* node = NodeOf(index);
  std::string text = TextFromQt(value.toString());
  if (view_->OnEdited) DispatchEvent([&] { view_->OnEdited(view_, node, text); });
  node->SetText(text);
  return true;
}

Qt::ItemFlags TreeNodeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!view_->ReadOnly()) f |= Qt::ItemIsEditable;
  return f;
}

void TreeNodeModel::NodeChanged(const TTreeNode* node) {
  const QModelIndex index = IndexOf(node);
  if (index.isValid()) emit dataChanged(index, index);
}

void TreeNodeModel::Reorder(const std::function<void()>& reorder) {
  emit layoutAboutToBeChanged();
  const QModelIndexList from = persistentIndexList();
  reorder();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& index : from) to.push_back(IndexOf(NodeOf(index)));
  changePersistentIndexList(from, to);
  emit layoutChanged();
}
