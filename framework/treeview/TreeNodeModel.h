#pragma once

#include <QAbstractItemModel>
#include <functional>

class TTreeNode;
class TTreeNodes;
class TTreeView;

// Internal to the framework: shows a tree view's plain nodes to Qt. Each Qt
// index carries its node; a node knows its parent and its position, so
// every step from an index to its parent or child is constant time.
class TreeNodeModel : public QAbstractItemModel {
 public:
  TreeNodeModel(TTreeView* view, TTreeNodes* nodes);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  QModelIndex IndexOf(const TTreeNode* node) const;
  TTreeNode* NodeOf(const QModelIndex& index) const;

  using QAbstractItemModel::beginInsertRows;
  using QAbstractItemModel::beginRemoveRows;
  using QAbstractItemModel::beginResetModel;
  using QAbstractItemModel::endInsertRows;
  using QAbstractItemModel::endRemoveRows;
  using QAbstractItemModel::endResetModel;

  void NodeChanged(const TTreeNode* node);
  // Runs a change of the order of siblings, moving Qt's persistent indexes
  // (selection, expanded nodes) with their nodes.
  void Reorder(const std::function<void()>& reorder);

 private:
  TTreeView* view_;
  TTreeNodes* nodes_;
};
