#include "framework/listview/ListColumn.h"

#include "framework/listview/ListColumns.h"
#include "framework/listview/ListView.h"

void TListColumn::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void TListColumn::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TListColumn::Changed() { owner_->Owner()->ColumnChanged(this); }
