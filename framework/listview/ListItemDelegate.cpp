#include "framework/listview/ListItemDelegate.h"

#include <QPainter>

#include "framework/core/Dispatch.h"
#include "framework/graphics/Canvas.h"
#include "framework/listview/ListItemModel.h"
#include "framework/listview/ListView.h"

ListItemDelegate::ListItemDelegate(TListView* view, ListItemModel* model, QObject* parent)
    : QStyledItemDelegate(parent), view_(view), model_(model) {}

void ListItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  TListItem* item = model_->ItemAt(index.row());
  if (item != nullptr && view_->OnCustomDrawItem) {
    if (index.column() == 0) {
      TCustomDrawState state = 0;
      if (option.state & QStyle::State_Selected) state |= cdsSelected;
      if (option.state & QStyle::State_HasFocus) state |= cdsFocused;
      if (!(option.state & QStyle::State_Enabled)) state |= cdsDisabled;
      bool defaultDraw = true;
      TCanvas* canvas = view_->Canvas();
      canvas->Font()->Assign(*view_->Font());
      canvas->Brush()->Color = view_->Color();
      canvas->BeginPaint(painter);
      DispatchEvent([&] { view_->OnCustomDrawItem(view_, item, state, defaultDraw); });
      canvas->EndPaint();
      ownDrawnRow_ = defaultDraw ? -1 : index.row();
      if (!defaultDraw) return;
    } else if (index.row() == ownDrawnRow_) {
      return;
    }
  }
  QStyledItemDelegate::paint(painter, option, index);
}

QSize ListItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  if (itemSize_.isValid()) return itemSize_;
  return QStyledItemDelegate::sizeHint(option, index);
}

void ListItemDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (index.column() == 0) option->features |= QStyleOptionViewItem::HasDecoration;
}
