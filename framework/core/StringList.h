#pragma once

#include <string>
#include <vector>

#include "framework/core/Object.h"

/// What a sorted list does with a text it already holds.
enum TDuplicates { dupIgnore, dupAccept, dupError };

/// A list of texts, each with an optional object pointer (not owned).
/// A sorted list keeps its texts in the user's locale order, case ignored
/// unless CaseSensitive is set, and finds them by binary search.
class TStringList : public TObject {
 public:
  TStringList() = default;

  int Count() const { return static_cast<int>(items_.size()); }
  /// The text at an index; raises EStringListError outside the list.
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  void SetStrings(int index, const std::string& text);
  TObject* Objects(int index) const;
  void SetObjects(int index, TObject* object);

  /// Adds a text at the end, or at its place in a sorted list; its index.
  /// A sorted list that holds the text already returns that index
  /// (dupIgnore), adds it again (dupAccept) or raises (dupError).
  int Add(const std::string& text);
  int AddObject(const std::string& text, TObject* object);
  /// Inserts at an index (0 to Count); a sorted list raises EStringListError.
  void Insert(int index, const std::string& text);
  void InsertObject(int index, const std::string& text, TObject* object);
  void Delete(int index);
  void Clear();
  /// The index of the first text equal to `text` (by the list's case rule), or -1.
  int IndexOf(const std::string& text) const;
  /// Binary search of a sorted list: true when found, `index` the place of
  /// the text or where it would go.
  bool Find(const std::string& text, int& index) const;

  /// Every text followed by CR LF.
  std::string Text() const;
  /// Replaces the list by the lines of `text`, split at CR, LF or CR LF; a
  /// line end at the very end adds no empty line.
  void SetText(const std::string& text);

  bool Sorted() const { return sorted_; }
  /// Turning it on sorts the list.
  void SetSorted(bool sorted);
  void Sort();
  bool CaseSensitive() const { return caseSensitive_; }
  /// Changing it sorts a sorted list again.
  void SetCaseSensitive(bool caseSensitive);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  int Compare(const std::string& a, const std::string& b) const;
  void CheckIndex(int index, int limit) const;
  void InsertItem(int index, const std::string& text, TObject* object);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};
