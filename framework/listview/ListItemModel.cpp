#include "framework/listview/ListItemModel.h"

#include <QPainter>
#include <QPixmap>

#include "framework/core/Dispatch.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/QtConvert.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"

namespace {
Qt::Alignment QtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QPixmap Dimmed(const QPixmap& pixmap) {
  QPixmap out(pixmap.size());
  out.fill(Qt::transparent);
  QPainter painter(&out);
  painter.setOpacity(0.45);
  painter.drawPixmap(0, 0, pixmap);
  return out;
}
}  // namespace

ListItemModel::ListItemModel(TListView* view, TListItems* items) : view_(view), items_(items) {}

int ListItemModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : published_; }

int ListItemModel::columnCount(const QModelIndex& parent) const {
  // Icon and list views show column 0, which exists before any column is added.
  return parent.isValid() ? 0 : std::max(1, view_->Columns()->Count());
}

TListItem* ListItemModel::ItemAt(int row) const {
  if (row < 0 || row >= published_ || row >= items_->Count()) return nullptr;
  return items_->items_[static_cast<size_t>(row)].get();
}

QVariant ListItemModel::data(const QModelIndex& index, int role) const {
  TListItem* item = index.isValid() ? ItemAt(index.row()) : nullptr;
  if (item == nullptr) return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      if (column == 0) return QtText(item->Caption());
      if (column - 1 < item->SubItems()->Count()) return QtText(item->SubItems()->Strings(column - 1));
      return QString();
    case Qt::DecorationRole: {
      if (column != 0 || item->ImageIndex() < 0) return {};
      const TImageList* images = view_->ViewStyle() == vsIcon ? view_->LargeImages() : view_->SmallImages();
      if (images == nullptr) return {};
      const QPixmap pixmap = images->Pixmap(item->ImageIndex());
      if (pixmap.isNull()) return {};
      return item->Cut() ? Dimmed(pixmap) : pixmap;
    }
    case Qt::TextAlignmentRole:
      // The first column always lines up left; icon views centre their captions.
      if (column == 0 || column >= view_->Columns()->Count()) return {};
      return static_cast<int>(QtAlignment(view_->Columns()->Item(column)->Alignment()));
    default: return {};
  }
}

bool ListItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  TListItem* item = index.isValid() && role == Qt::EditRole ? ItemAt(index.row()) : nullptr;
  if (item == nullptr || index.column() != 0) return false;
  std::string text = TextFromQt(value.toString());
  if (view_->OnEdited) DispatchEvent([&] { view_->OnEdited(view_, item, text); });
  // A handler that deleted the item leaves nothing to rename.
  if (ItemAt(index.row()) == item) item->SetCaption(text);
  return true;
}

Qt::ItemFlags ListItemModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == 0 && !view_->ReadOnly()) f |= Qt::ItemIsEditable;
  return f;
}

QVariant ListItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= view_->Columns()->Count()) return {};
  const TListColumn* column = view_->Columns()->Item(section);
  switch (role) {
    case Qt::DisplayRole: return QtText(column->Caption());
    case Qt::DecorationRole:
      if (column->ImageIndex() >= 0 && view_->SmallImages() != nullptr) {
        const QPixmap pixmap = view_->SmallImages()->Pixmap(column->ImageIndex());
        if (!pixmap.isNull()) return pixmap;
      }
      return {};
    case Qt::TextAlignmentRole: return static_cast<int>(QtAlignment(column->Alignment()));
    default: return {};
  }
}

void ListItemModel::RowChanged(int row) {
  if (row < 0 || row >= published_) return;
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ListItemModel::AllChanged() {
  if (published_ == 0) return;
  emit dataChanged(index(0, 0), index(published_ - 1, columnCount() - 1));
}
