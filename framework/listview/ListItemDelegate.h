#pragma once

#include <QSize>
#include <QStyledItemDelegate>

class ListItemModel;
class TListView;

// Internal to the framework: draws a list view's items, giving the
// program's OnCustomDrawItem the first go at each, and gives every item the
// same size in the icon and list views.
class ListItemDelegate : public QStyledItemDelegate {
 public:
  ListItemDelegate(TListView* view, ListItemModel* model, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The size of every item; an invalid size leaves it to the style.
  void SetItemSize(QSize size) { itemSize_ = size; }
  void InitOption(QStyleOptionViewItem* option, const QModelIndex& index) const { initStyleOption(option, index); }

 protected:
  // Every item keeps room for its icon, with or without an image, as the
  // program draws thumbnails into that room.
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  TListView* view_;
  ListItemModel* model_;
  QSize itemSize_;
  // The details view draws a row column by column: a row whose first column
  // the program drew itself gets none of its other columns drawn.
  mutable int ownDrawnRow_ = -1;
};
