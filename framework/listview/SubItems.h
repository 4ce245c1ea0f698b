#pragma once

#include <string>
#include <vector>

class TListItem;

/// The texts of a list item after its caption: sub-item 0 shows in the
/// second column of the details view, and so on.
class TSubItems {
 public:
  explicit TSubItems(TListItem* owner) : owner_(owner) {}

  /// Appends a text; its index.
  int Add(const std::string& text);
  /// Appends a text that is handed over, without copying it; its index.
  int Add(std::string&& text);
  int Count() const { return static_cast<int>(strings_.size()); }
  /// Makes room for this many texts, so that adding them takes one allocation.
  void SetCapacity(int capacity) { strings_.reserve(static_cast<size_t>(capacity)); }
  /// The text at an index; raises Exception outside 0 .. Count() - 1.
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  /// Replaces the text at an index; raises Exception outside the list.
  void SetStrings(int index, const std::string& text);
  void Clear();

 private:
  friend class TListItem;
  void Check(int index) const;

  TListItem* owner_;
  std::vector<std::string> strings_;
};
