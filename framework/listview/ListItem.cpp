#include "framework/listview/ListItem.h"

#include "framework/listview/ListItems.h"
#include "framework/listview/ListView.h"

TListItem::TListItem(TListItems* owner) : owner_(owner), subItems_(this) {}
TListItem::~TListItem() = default;

void TListItem::Reuse() {
  caption_.clear();
  subItems_.strings_.clear();
  imageIndex_ = -1;
  index_ = 0;
  selected_ = false;
  cut_ = false;
  Data = nullptr;
}

TListView* TListItem::ListView() const { return owner_->Owner(); }

void TListItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Revised();
}

void TListItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TListItem::SetCut(bool cut) {
  if (cut_ == cut) return;
  cut_ = cut;
  Changed();
}

void TListItem::SetSelected(bool selected) { owner_->SelectionChanged(this, selected); }

bool TListItem::Focused() const { return ListView()->ItemFocused() == this; }

void TListItem::SetFocused(bool focused) {
  if (focused) {
    ListView()->SetItemFocused(this);
  } else if (Focused()) {
    ListView()->SetItemFocused(nullptr);
  }
}

int TListItem::Index() const {
  if (owner_->indexDirty_) owner_->Renumber();
  return index_;
}

void TListItem::Changed() { owner_->ItemChanged(this); }

void TListItem::Revised() {
  owner_->Revise();
  Changed();
}

void TListItem::Delete() { owner_->Delete(Index()); }

void TListItem::MakeVisible(bool) { ListView()->MakeItemVisible(this); }

TRect TListItem::DisplayRect(TDisplayCode code) const { return ListView()->ItemRect(this, code); }

bool TListItem::EditCaption() { return ListView()->EditItem(this); }
