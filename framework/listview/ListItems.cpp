#include "framework/listview/ListItems.h"

#include <string>

#include "framework/core/Exception.h"
#include "framework/listview/ListItem.h"
#include "framework/listview/ListItemModel.h"
#include "framework/listview/ListView.h"

TListItems::TListItems(TListView* view) : view_(view) {}
TListItems::~TListItems() = default;

TListItem* TListItems::Add() {
  const int row = Count();
  Revise();
  std::unique_ptr<TListItem> item;
  if (spare_.empty()) {
    item.reset(new TListItem(this));
  } else {
    // An item of the list emptied before: its texts' room is taken again,
    // and the blocks freed meanwhile are those the new texts take.
    item = std::move(spare_.back());
    spare_.pop_back();
    item->Reuse();
  }
  item->index_ = row;
  if (Updating()) {
    items_.push_back(std::move(item));
    changedInUpdate_ = true;
  } else {
    model_->beginInsertRows({}, row, row);
    items_.push_back(std::move(item));
    model_->SetPublished(Count());
    model_->endInsertRows();
  }
  return items_.back().get();
}

void TListItems::Clear() {
  Revise();
  if (Updating()) {
    view_->ItemsGoing(nullptr);
    SpareItems();
    selCount_ = 0;
    changedInUpdate_ = true;
    return;
  }
  model_->beginResetModel();
  view_->ItemsGoing(nullptr);
  SpareItems();
  selCount_ = 0;
  model_->SetPublished(0);
  model_->endResetModel();
}

void TListItems::SpareItems() {
  if (spare_.empty()) {
    spare_.swap(items_);
  } else {
    for (auto& item : items_) spare_.push_back(std::move(item));
    items_.clear();
  }
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)].get();
}

void TListItems::Delete(int index) {
  TListItem* item = Item(index);
  if (item->selected_) {
    item->selected_ = false;
    --selCount_;
  }
  view_->ItemsGoing(item);
  Revise();
  const auto at = items_.begin() + index;
  if (Updating()) {
    items_.erase(at);
    changedInUpdate_ = true;
  } else {
    model_->beginRemoveRows({}, index, index);
    items_.erase(at);
    model_->SetPublished(Count());
    model_->endRemoveRows();
  }
  // Positions after the removed item are given again when next asked for,
  // so deleting many items costs one renumbering, not one per item.
  indexDirty_ = true;
}

void TListItems::Renumber() const {
  int i = 0;
  for (const auto& item : items_) item->index_ = i++;
  indexDirty_ = false;
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0) view_->SuspendDrawing(true);
}

void TListItems::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0) return;
  spare_.clear();
  if (changedInUpdate_) Reset();
  changedInUpdate_ = false;
  view_->SuspendDrawing(false);
}

void TListItems::Reset() {
  model_->beginResetModel();
  model_->SetPublished(Count());
  model_->endResetModel();
  view_->ItemsReset();
}

void TListItems::Reorder(const std::vector<TListItem*>& order) {
  for (size_t i = 0; i < order.size(); ++i) {
    static_cast<void>(items_[i].release());
    items_[i].reset(order[i]);
  }
  Reordered();
}

void TListItems::Reorder(const std::vector<int>& order) {
  std::vector<bool> seen(items_.size());
  bool whole = order.size() == items_.size();
  for (size_t i = 0; whole && i < order.size(); ++i) {
    const auto place = static_cast<size_t>(order[i]);
    whole = order[i] >= 0 && place < seen.size() && !seen[place];
    if (whole) seen[place] = true;
  }
  if (!whole) throw Exception("List index out of bounds");
  std::vector<std::unique_ptr<TListItem>> next(items_.size());
  for (size_t i = 0; i < order.size(); ++i) next[i] = std::move(items_[static_cast<size_t>(order[i])]);
  items_.swap(next);
  Reordered();
}

void TListItems::Reordered() {
  // The positions are given again when next asked for: a sort of 100,000
  // items need not visit every item.
  indexDirty_ = true;
  Revise();
  if (Updating()) {
    changedInUpdate_ = true;
  } else {
    Reset();
  }
}

void TListItems::ItemChanged(TListItem* item) {
  if (Updating()) {
    changedInUpdate_ = true;
  } else {
    model_->RowChanged(item->Index());
  }
}

void TListItems::SelectionChanged(TListItem* item, bool selected) {
  if (item->selected_ == selected) return;
  if (selected && !view_->MultiSelect()) {
    for (const auto& other : items_) {
      if (other->selected_) SelectionChanged(other.get(), false);
    }
  }
  item->selected_ = selected;
  selCount_ += selected ? 1 : -1;
  if (Updating()) {
    changedInUpdate_ = true;
  } else {
    view_->ShowSelection(item);
  }
}

void TListItems::FlagSelected(TListItem* item, bool selected) {
  if (item->selected_ == selected) return;
  item->selected_ = selected;
  selCount_ += selected ? 1 : -1;
}
