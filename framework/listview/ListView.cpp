#include "framework/listview/ListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QPointer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/core/Dispatch.h"
#include "framework/forms/KeyedView.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/QtConvert.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListColumns.h"
#include "framework/listview/ListItemDelegate.h"
#include "framework/listview/ListItemModel.h"
#include "framework/listview/ListItems.h"
#include "platform/system/Locale.h"

// The details view is a QTreeView and the three icon styles a QListView.
// Only the view in use has the model: the other would lay out every item on
// each reset for nothing. Both share one selection model, so a switch keeps
// selection and focus.
struct TListView::Impl {
  QWidget* container = nullptr;
  KeyedView<QTreeView>* report = nullptr;
  KeyedView<QListView>* icons = nullptr;
  QAbstractItemView* active = nullptr;
  // The selection model a detached view was given with its empty model;
  // freed when the view takes the real model again.
  QPointer<QItemSelectionModel> spareReport;
  QPointer<QItemSelectionModel> spareIcons;
  std::unique_ptr<TListItems> items;
  std::unique_ptr<TListColumns> columns;
  ListItemModel* model = nullptr;
  QItemSelectionModel* selection = nullptr;
  ListItemDelegate* delegate = nullptr;
  TCanvas canvas;
  TListItem* focused = nullptr;
  // Set while the plain model pushes its state into Qt's selection, so the
  // echo is not taken back.
  bool syncing = false;
  bool switching = false;

  QModelIndex IndexOf(const TListItem* item) const { return model->index(item->Index(), 0); }
};

TListView::TListView(TComponent* owner) : TWinControl(owner), impl_(std::make_unique<Impl>()) {
  Impl& d = *impl_;
  d.items.reset(new TListItems(this));
  d.columns.reset(new TListColumns(this));
  d.container = new QWidget;
  auto* layout = new QVBoxLayout(d.container);
  layout->setContentsMargins(0, 0, 0, 0);
  d.report = new KeyedView<QTreeView>(d.container);
  d.icons = new KeyedView<QListView>(d.container);
  layout->addWidget(d.report);
  layout->addWidget(d.icons);
  d.model = new ListItemModel(this, d.items.get());
  d.model->setParent(d.container);
  d.items->SetModel(d.model);
  d.selection = new QItemSelectionModel(d.model, d.container);
  d.delegate = new ListItemDelegate(this, d.model, d.container);

  d.report->setRootIsDecorated(false);
  d.report->setItemsExpandable(false);
  d.report->setUniformRowHeights(true);
  d.report->setSelectionBehavior(QAbstractItemView::SelectRows);
  d.report->setItemDelegate(d.delegate);
  d.report->header()->setSectionsClickable(true);
  d.report->header()->setSectionsMovable(false);
  d.report->header()->setStretchLastSection(false);
  d.icons->setUniformItemSizes(true);
  d.icons->setItemDelegate(d.delegate);
  d.report->hide();
  d.icons->hide();

  QObject::connect(d.report->header(), &QHeaderView::sectionClicked, d.container, [this](int section) {
    if (section < 0 || section >= Columns()->Count() || !OnColumnClick) return;
    TListColumn* column = Columns()->Item(section);
    DispatchEvent([&] { OnColumnClick(this, column); });
  });
  QObject::connect(d.report->header(), &QHeaderView::sectionResized, d.container, [this](int section, int, int size) {
    if (!impl_->switching && impl_->active == impl_->report) impl_->columns->TakeWidth(section, size);
  });
  QObject::connect(d.selection, &QItemSelectionModel::selectionChanged, d.container,
                   [this](const QItemSelection& selected, const QItemSelection& deselected) {
                     Impl& p = *impl_;
                     if (p.syncing || p.items->Updating()) return;
                     for (const QItemSelectionRange& range : deselected) {
                       for (int row = range.top(); row <= range.bottom(); ++row) {
                         if (TListItem* item = p.model->ItemAt(row)) p.items->FlagSelected(item, false);
                       }
                     }
                     for (const QItemSelectionRange& range : selected) {
                       for (int row = range.top(); row <= range.bottom(); ++row) {
                         if (TListItem* item = p.model->ItemAt(row)) p.items->FlagSelected(item, true);
                       }
                     }
                   });
  QObject::connect(d.selection, &QItemSelectionModel::currentChanged, d.container,
                   [this](const QModelIndex& current, const QModelIndex&) {
                     Impl& p = *impl_;
                     if (!p.syncing && !p.items->Updating()) p.focused = p.model->ItemAt(current.row());
                   });

  SetWidget(d.container);
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(d.report), static_cast<QAbstractItemView*>(d.icons)}) {
    WatchInput(view);
    WatchInput(view->viewport());
  }
  SetColor(clWindow);
  SetReadOnly(false);
  SetMultiSelect(false);
  ApplySelectionLook();
  ApplyStyle();
}

TListView::~TListView() {
  // The views go with the widget; the items must not outlive the model's users.
  impl_->active = nullptr;
  delete impl_->container;
}

TListItems* TListView::Items() const { return impl_->items.get(); }
TListColumns* TListView::Columns() const { return impl_->columns.get(); }
TCanvas* TListView::Canvas() const { return &impl_->canvas; }
QWidget* TListView::ActiveView() const { return impl_->active; }

void TListView::SetViewStyle(TViewStyle style) {
  if (style == viewStyle_) return;
  viewStyle_ = style;
  ApplyStyle();
}

void TListView::SetLargeImages(TImageList* images) {
  largeImages_ = images;
  ApplyStyle();
}

void TListView::SetSmallImages(TImageList* images) {
  smallImages_ = images;
  ApplyStyle();
  if (Columns()->Count() > 0) emit impl_->model->headerDataChanged(Qt::Horizontal, 0, Columns()->Count() - 1);
}

void TListView::SetMultiSelect(bool multi) {
  multiSelect_ = multi;
  const auto mode = multi ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  impl_->report->setSelectionMode(mode);
  impl_->icons->setSelectionMode(mode);
  if (!multi && SelCount() > 1) SetSelected(Selected());
}

void TListView::SetRowSelect(bool rowSelect) {
  rowSelect_ = rowSelect;
  impl_->report->setAllColumnsShowFocus(rowSelect);
}

void TListView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  const auto triggers = readOnly ? QAbstractItemView::NoEditTriggers : QAbstractItemView::SelectedClicked;
  impl_->report->setEditTriggers(triggers);
  impl_->icons->setEditTriggers(triggers);
}

void TListView::SetHideSelection(bool hide) {
  hideSelection_ = hide;
  ApplySelectionLook();
}

void TListView::ApplySelectionLook() {
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(impl_->report), static_cast<QAbstractItemView*>(impl_->icons)}) {
    QPalette palette = view->palette();
    const QPalette active = QApplication::palette(view);
    if (hideSelection_) {
      palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Inactive, QPalette::Base));
      palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                       palette.color(QPalette::Inactive, QPalette::Text));
    } else {
      palette.setColor(QPalette::Inactive, QPalette::Highlight, active.color(QPalette::Active, QPalette::Highlight));
      palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                       active.color(QPalette::Active, QPalette::HighlightedText));
    }
    view->setPalette(palette);
  }
}

void TListView::ApplyStyle() {
  Impl& d = *impl_;
  d.switching = true;
  QAbstractItemView* target = viewStyle_ == vsReport ? static_cast<QAbstractItemView*>(d.report) : d.icons;
  if (viewStyle_ == vsReport) {
    d.delegate->SetItemSize(QSize());
    const int side = smallImages_ != nullptr ? smallImages_->Height() : 16;
    d.report->setIconSize(QSize(smallImages_ != nullptr ? smallImages_->Width() : 16, side));
  } else {
    const TImageList* images = viewStyle_ == vsIcon ? largeImages_ : smallImages_;
    const int fallback = viewStyle_ == vsIcon ? 32 : 16;
    const QSize icon(images != nullptr ? images->Width() : fallback, images != nullptr ? images->Height() : fallback);
    const QFontMetrics metrics(d.icons->font());
    d.icons->setViewMode(viewStyle_ == vsIcon ? QListView::IconMode : QListView::ListMode);
    d.icons->setMovement(QListView::Static);
    d.icons->setResizeMode(QListView::Adjust);
    d.icons->setWrapping(true);
    d.icons->setFlow(viewStyle_ == vsList ? QListView::TopToBottom : QListView::LeftToRight);
    d.icons->setIconSize(icon);
    d.icons->setUniformItemSizes(true);
    QSize cell;
    if (viewStyle_ == vsIcon) {
      d.icons->setWordWrap(true);
      cell = QSize(std::max(76, icon.width() + 44), icon.height() + 2 * metrics.height() + 10);
    } else {
      d.icons->setWordWrap(false);
      // Every item gets the width of the longest caption (by length: measuring
      // 100,000 texts would cost more than the whole layout).
      const TListItem* longest = nullptr;
      for (int i = 0; i < d.items->Count(); ++i) {
        const TListItem* item = d.items->Item(i);
        if (longest == nullptr || item->Caption().size() > longest->Caption().size()) longest = item;
      }
      const int text = longest != nullptr ? metrics.horizontalAdvance(QtText(longest->Caption())) : 0;
      cell = QSize(icon.width() + std::clamp(text, 60, 320) + 14, std::max(icon.height(), metrics.height()) + 4);
    }
    d.icons->setGridSize(cell);
    d.delegate->SetItemSize(cell - QSize(4, 2));
  }
  if (d.active != target) {
    const bool hadFocus = d.active != nullptr && d.active->hasFocus();
    target->setModel(d.model);
    QItemSelectionModel* own = target->selectionModel();
    target->setSelectionModel(d.selection);
    if (own != d.selection) delete own;
    QPointer<QItemSelectionModel>& spare = target == d.report ? d.spareReport : d.spareIcons;
    delete spare.data();
    if (d.active != nullptr) {
      d.active->setModel(nullptr);
      (d.active == d.report ? d.spareReport : d.spareIcons) = d.active->selectionModel();
      d.active->hide();
    }
    d.active = target;
    target->show();
    d.container->setFocusProxy(target);
    if (hadFocus) target->setFocus();
    if (target == d.report) {
      for (int i = 0; i < Columns()->Count(); ++i) d.report->header()->resizeSection(i, Columns()->Item(i)->Width());
    }
    if (d.selection->currentIndex().isValid()) target->scrollTo(d.selection->currentIndex());
  } else {
    d.active->doItemsLayout();
  }
  d.switching = false;
}

void TListView::SuspendDrawing(bool suspend) {
  if (impl_->active != nullptr) impl_->active->setUpdatesEnabled(!suspend);
}

void TListView::ItemsGoing(TListItem* item) {
  // nullptr: all items go.
  if (item == nullptr || impl_->focused == item) impl_->focused = nullptr;
}

void TListView::ItemsReset() {
  Impl& d = *impl_;
  // A reset clears Qt's selection: build it again from the items, in runs.
  QItemSelection selection;
  const int count = d.items->Count();
  const int lastColumn = d.model->columnCount() - 1;
  for (int row = 0; row < count && d.items->selCount_ > 0;) {
    if (!d.items->Item(row)->Selected()) {
      ++row;
      continue;
    }
    int end = row;
    while (end + 1 < count && d.items->Item(end + 1)->Selected()) ++end;
    selection.select(d.model->index(row, 0), d.model->index(end, lastColumn));
    row = end + 1;
  }
  d.syncing = true;
  d.selection->select(selection, QItemSelectionModel::ClearAndSelect);
  // After a read no item is current: the first key that moves selects.
  if (d.focused != nullptr) {
    d.selection->setCurrentIndex(d.IndexOf(d.focused), QItemSelectionModel::NoUpdate);
  } else {
    d.selection->clearCurrentIndex();
  }
  d.syncing = false;
  if (viewStyle_ == vsSmallIcon || viewStyle_ == vsList) ApplyStyle();
}

void TListView::ShowSelection(TListItem* item) {
  Impl& d = *impl_;
  const int row = item->Index();
  d.syncing = true;
  d.selection->select(QItemSelection(d.model->index(row, 0), d.model->index(row, d.model->columnCount() - 1)),
                      item->Selected() ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
  d.syncing = false;
}

int TListView::SelCount() const { return impl_->items->selCount_; }

TListItem* TListView::Selected() const {
  const TListItems& items = *impl_->items;
  if (items.selCount_ == 0) return nullptr;
  for (const auto& item : items.items_) {
    if (item->Selected()) return item.get();
  }
  return nullptr;
}

void TListView::SetSelected(TListItem* item) {
  TListItems& items = *impl_->items;
  for (const auto& other : items.items_) {
    if (other.get() != item && other->Selected()) other->SetSelected(false);
  }
  if (item != nullptr) item->SetSelected(true);
}

TListItem* TListView::ItemFocused() const { return impl_->focused; }

void TListView::SetItemFocused(TListItem* item) {
  Impl& d = *impl_;
  d.focused = item;
  if (d.items->Updating()) return;
  d.syncing = true;
  d.selection->setCurrentIndex(item != nullptr ? d.IndexOf(item) : QModelIndex(), QItemSelectionModel::NoUpdate);
  d.syncing = false;
}

bool TListView::IsEditing() const {
  if (impl_->active == nullptr) return false;
  return impl_->active == impl_->report ? impl_->report->Editing() : impl_->icons->Editing();
}

namespace {
// A bottom-up merge sort: stable, and safe with a comparison that is not a
// strict order (a program's OnCompare may be anything), which std::sort is not.
template <typename Less>
void MergeSort(std::vector<TListItem*>& items, Less less) {
  std::vector<TListItem*> buffer(items.size());
  const size_t n = items.size();
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t left = 0; left < n; left += 2 * width) {
      const size_t mid = std::min(left + width, n);
      const size_t right = std::min(left + 2 * width, n);
      size_t i = left, j = mid, k = left;
      while (i < mid && j < right) buffer[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
      while (i < mid) buffer[k++] = items[i++];
      while (j < right) buffer[k++] = items[j++];
    }
    items.swap(buffer);
  }
}
}  // namespace

bool TListView::AlphaSort() { return CustomSort(nullptr, 0); }

bool TListView::CustomSort(const std::function<int(TListItem*, TListItem*, int)>& compare, int data) {
  TListItems& items = *impl_->items;
  // The sort works on a copy of the order: a handler that raises leaves the
  // list as it was.
  std::vector<TListItem*> order;
  order.reserve(items.items_.size());
  for (const auto& item : items.items_) order.push_back(item.get());
  bool sorted = false;
  DispatchEvent([&] {
    if (compare) {
      MergeSort(order, [&](TListItem* a, TListItem* b) { return compare(a, b, data) < 0; });
    } else if (OnCompare) {
      MergeSort(order, [&](TListItem* a, TListItem* b) {
        int result = 0;
        OnCompare(this, a, b, data, result);
        return result < 0;
      });
    } else {
      MergeSort(order, [](TListItem* a, TListItem* b) { return lstrcmpiA(a->Caption(), b->Caption()) < 0; });
    }
    sorted = true;
  });
  if (sorted) items.Reorder(order);
  return sorted;
}

void TListView::ArrangeItems(const std::vector<int>& order) { impl_->items->Reorder(order); }

void TListView::MakeItemVisible(const TListItem* item) {
  if (impl_->items->Updating() || impl_->active == nullptr) return;
  impl_->active->scrollTo(impl_->IndexOf(item));
}

TRect TListView::ItemRect(const TListItem* item, TDisplayCode code) const {
  Impl& d = *impl_;
  if (d.items->Updating() || d.active == nullptr || item->Index() >= d.model->Published()) return {};
  const QModelIndex index = d.IndexOf(item);
  QRect rect = d.active->visualRect(index);
  if (code == drBounds) {
    if (d.active == d.report) {
      for (int column = 1; column < d.model->columnCount(); ++column) {
        rect = rect.united(d.report->visualRect(d.model->index(index.row(), column)));
      }
    }
    return RectFromQt(rect);
  }
  QStyleOptionViewItem option;
  if (d.active == d.report) {
    d.report->InitOption(&option);
  } else {
    d.icons->InitOption(&option);
  }
  option.rect = rect;
  d.delegate->InitOption(&option, index);
  QStyle* style = d.active->style();
  const auto element = code == drIcon ? QStyle::SE_ItemViewItemDecoration : QStyle::SE_ItemViewItemText;
  return RectFromQt(style->subElementRect(element, &option, d.active));
}

bool TListView::EditItem(const TListItem* item) {
  Impl& d = *impl_;
  if (readOnly_ || d.items->Updating() || d.active == nullptr) return false;
  const QModelIndex index = d.IndexOf(item);
  // The view's own setCurrentIndex applies the keys held (Ctrl toggles the
  // item out of the selection): starting an edit never changes the selection.
  d.selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  d.active->edit(index);
  return IsEditing();
}

void TListView::BeforeColumnAdded(int index) {
  if (index >= 1) impl_->model->beginInsertColumns({}, index, index);
}

void TListView::AfterColumnAdded(TListColumn* column) {
  if (column->Index() >= 1) {
    impl_->model->endInsertColumns();
  } else {
    emit impl_->model->headerDataChanged(Qt::Horizontal, 0, 0);
  }
  ColumnChanged(column);
}

void TListView::ColumnChanged(TListColumn* column) {
  Impl& d = *impl_;
  emit d.model->headerDataChanged(Qt::Horizontal, column->Index(), column->Index());
  if (d.active == d.report) {
    d.switching = true;
    d.report->header()->resizeSection(column->Index(), column->Width());
    d.switching = false;
  }
  if (!d.items->Updating()) d.model->AllChanged();
}
