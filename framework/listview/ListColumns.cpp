#include "framework/listview/ListColumns.h"

#include <string>

#include "framework/core/Exception.h"
#include "framework/listview/ListColumn.h"
#include "framework/listview/ListView.h"

TListColumns::~TListColumns() = default;

TListColumn* TListColumns::Add() {
  view_->BeforeColumnAdded(Count());
  columns_.push_back(std::unique_ptr<TListColumn>(new TListColumn(this, Count())));
  view_->AfterColumnAdded(columns_.back().get());
  return columns_.back().get();
}

TListColumn* TListColumns::Item(int index) const {
  if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return columns_[static_cast<size_t>(index)].get();
}

void TListColumns::TakeWidth(int index, int width) {
  if (index >= 0 && index < Count()) columns_[static_cast<size_t>(index)]->width_ = width;
}
