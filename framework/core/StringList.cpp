#include "framework/core/StringList.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/core/SysUtils.h"

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index, Count() - 1);
  return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::SetStrings(int index, const std::string& text) {
  CheckIndex(index, Count() - 1);
  items_[static_cast<std::size_t>(index)].text = text;
  if (sorted_) Sort();
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index, Count() - 1);
  return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
  CheckIndex(index, Count() - 1);
  items_[static_cast<std::size_t>(index)].object = object;
}

int TStringList::Add(const std::string& text) { return AddObject(text, nullptr); }

int TStringList::AddObject(const std::string& text, TObject* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Insert(int index, const std::string& text) { InsertObject(index, text, nullptr); }

void TStringList::InsertObject(int index, const std::string& text, TObject* object) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index, Count());
  InsertItem(index, text, object);
}

void TStringList::Delete(int index) {
  CheckIndex(index, Count() - 1);
  items_.erase(items_.begin() + index);
}

void TStringList::Clear() { items_.clear(); }

int TStringList::IndexOf(const std::string& text) const {
  if (sorted_) {
    int index = 0;
    return Find(text, index) ? index : -1;
  }
  for (int i = 0; i < Count(); ++i) {
    if (Compare(items_[static_cast<std::size_t>(i)].text, text) == 0) return i;
  }
  return -1;
}

bool TStringList::Find(const std::string& text, int& index) const {
  // The first of equal texts, so IndexOf and dupIgnore name the same one.
  int low = 0;
  int high = Count();
  bool found = false;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    const int c = Compare(items_[static_cast<std::size_t>(mid)].text, text);
    if (c < 0) {
      low = mid + 1;
    } else {
      if (c == 0) found = true;
      high = mid;
    }
  }
  index = low;
  return found;
}

std::string TStringList::Text() const {
  std::string text;
  for (const Item& item : items_) {
    text += item.text;
    text += "\r\n";
  }
  return text;
}

void TStringList::SetText(const std::string& text) {
  std::vector<Item> lines;
  std::size_t start = 0;
  const std::size_t n = text.size();
  while (start < n) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = n;
    lines.push_back({text.substr(start, end - start), nullptr});
    if (end < n && text[end] == '\r' && end + 1 < n && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  items_ = std::move(lines);
  if (sorted_) Sort();
}

void TStringList::SetSorted(bool sorted) {
  if (sorted && !sorted_) {
    sorted_ = true;
    Sort();
  }
  sorted_ = sorted;
}

void TStringList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive_ == caseSensitive) return;
  caseSensitive_ = caseSensitive;
  if (sorted_) Sort();
}

int TStringList::Compare(const std::string& a, const std::string& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) throw EStringListError(Format("List index out of bounds (%d)", index));
}

void TStringList::InsertItem(int index, const std::string& text, TObject* object) {
  items_.insert(items_.begin() + index, Item{text, object});
}
