#pragma once

#include <QAbstractTableModel>

class TListItem;
class TListItems;
class TListView;

// Internal to the framework: shows a list view's plain items to Qt's views.
// The item vector is the only store; this adapter only reads it. Qt sees the
// row count it was last told (`published`), so changes made inside an
// update stay invisible until the one reset at its end.
class ListItemModel : public QAbstractTableModel {
 public:
  ListItemModel(TListView* view, TListItems* items);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The item a row shows; nullptr outside the published rows.
  TListItem* ItemAt(int row) const;
  int Published() const { return published_; }
  void SetPublished(int rows) { published_ = rows; }

  using QAbstractItemModel::beginInsertColumns;
  using QAbstractItemModel::beginInsertRows;
  using QAbstractItemModel::beginRemoveRows;
  using QAbstractItemModel::beginResetModel;
  using QAbstractItemModel::endInsertColumns;
  using QAbstractItemModel::endInsertRows;
  using QAbstractItemModel::endRemoveRows;
  using QAbstractItemModel::endResetModel;

  void RowChanged(int row);
  void AllChanged();

 private:
  TListView* view_;
  TListItems* items_;
  int published_ = 0;
};
