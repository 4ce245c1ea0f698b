#include "framework/listview/SubItems.h"

#include "framework/core/Exception.h"
#include "framework/listview/ListItem.h"

int TSubItems::Add(const std::string& text) {
  strings_.push_back(text);
  owner_->Revised();
  return Count() - 1;
}

int TSubItems::Add(std::string&& text) {
  strings_.push_back(std::move(text));
  owner_->Revised();
  return Count() - 1;
}

void TSubItems::Check(int index) const {
  if (index < 0 || index >= Count()) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TSubItems::Strings(int index) const {
  Check(index);
  return strings_[static_cast<size_t>(index)];
}

void TSubItems::SetStrings(int index, const std::string& text) {
  Check(index);
  strings_[static_cast<size_t>(index)] = text;
  owner_->Revised();
}

void TSubItems::Clear() {
  strings_.clear();
  owner_->Revised();
}
