#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

/// The sort keys of a file list's items, made once when an item is read and
/// kept in a compact array beside the items, in the list's order: the name's
/// collation key (case ignored), the size and the date as numbers, and the
/// type and attribute texts as collation keys shared by every item that
/// shows the same text. Sorting by them gives the order that comparing the
/// texts gives, without touching the items.
class FileListKeys {
 public:
  /// The texts an item is sorted by, one a column (Name, Size, Type,
  /// Modified, Attributes); the size and date keys are 16 hexadecimal digits.
  using Texts = const std::string* [5];

  /// Forgets every item's keys.
  void Clear();
  /// Makes the keys of the next item of the list.
  void Add(const Texts& texts);
  int Count() const { return static_cast<int>(entries_.size()); }
  /// Whether the size (1) or date (3) keys of every item are 16 hexadecimal
  /// digits, so that they order as numbers; the other columns always can.
  bool Numeric(int column) const;
  /// Sorts the keys by a column, ascending or descending, keeping the order
  /// of items with equal keys, and gives the new order as the places the
  /// items had in the list before (order[i] is the place of the item that
  /// goes to place i). A list sorted the other way is turned round in one
  /// pass, and a sorted one left as it is.
  void Sort(int column, bool up, std::vector<int>& order);

  /// Whether a size or date key is 16 hexadecimal digits 0-9, A-F, and its
  /// number in `value` when it is: every locale orders these digits before
  /// these letters and the letters alphabetically, so the numbers order as
  /// the texts do.
  static bool HexKey(const std::string& text, std::uint64_t& value);

 private:
  struct Entry {
    std::uint64_t namePrefix;  // the first eight bytes of the name's key, big-endian
    std::uint64_t size;
    std::uint64_t date;
    std::uint32_t nameAt;
    std::uint32_t nameLength;
    std::uint32_t type;        // a text of typeTexts_
    std::uint32_t attributes;  // a text of attributeTexts_
    std::uint32_t place;       // the item's place in the list
  };
  // The distinct texts of a column, each with its collation key.
  struct SharedTexts {
    std::unordered_map<std::string, std::uint32_t> index;
    std::vector<std::string> keys;
    std::uint32_t Of(const std::string& text);
    // Each text's place in the order of the keys; equal keys share one.
    std::vector<std::uint32_t> Ranks() const;
  };

  int Compare(const Entry& a, const Entry& b, int column, const std::vector<std::uint32_t>& ranks) const;

  std::vector<Entry> entries_;
  std::string names_;  // the names' keys, end to end
  SharedTexts typeTexts_;
  SharedTexts attributeTexts_;
  bool sizesNumeric_ = true;
  bool datesNumeric_ = true;
};
