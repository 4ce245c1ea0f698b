#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/listview/ListView.h"

class FileListKeys;
class TExtension;
class TLabel;
class TListColumn;
class TStringList;

/// The files (never the folders) of one folder, one item per file, with five
/// columns (name, size, type, modified, attributes), the icon of each file's
/// learned type, and sorting by any column with an arrow in the sorted
/// column's header. Reading a folder makes it the process's current folder,
/// so the listed names are valid relative paths until another folder is made
/// current.
class TFileList : public TListView {
 public:
  explicit TFileList(TComponent* owner);
  ~TFileList() override;

  /// Makes the columns and takes the file-type table's image lists; raises
  /// Exception when no Extension is set. Runs once, after the table's Init.
  void Init();
  /// Reads Directory into the list (nothing before Init).
  void Read_Files();
  /// Reads the folder again.
  void Refresh_List();
  /// The listed folder, a full path (with or without a trailing backslash).
  const std::string& Directory() const { return directory_; }
  /// Sets the listed folder and reads it when it changed; an empty value
  /// changes nothing.
  void SetDirectory(const std::string& Value);
  /// The attribute letters of a file: H, S, R, A in this order.
  std::string GetAttributes(int Attributes) const;
  /// Handler of OnColumnClick: sorts by the column, or turns the direction
  /// when it is the sorted one, and moves the header arrow.
  void ColumnClick(TObject* Sender, TListColumn* Column);
  /// Handler of OnCompare: compares the keys of the sorted column as text,
  /// case ignored, in the user's locale; negated for descending order.
  void CompareItems(TObject* Sender, TListItem* Item1, TListItem* Item2, int Data, int& Compare);

  /// The names of the selected files, in list order; the caller owns the list.
  TStringList* FindSelectedFiles() const;
  /// Puts the selected names on the clipboard for a later copy, or with Cut
  /// a move (and marks them cut). Names that the clipboard text cannot carry
  /// are left out and reported.
  void CopyFiles(bool Cut);
  /// Copies or moves into the listed folder what the clipboard text names,
  /// then reads the folder again.
  void PasteFiles();
  /// After a question, deletes (Permanently) or recycles the selected files,
  /// or with nothing selected the listed folder itself.
  void DeleteFiles(bool Permanently);

  bool Ready = false;
  /// The five columns at positions 1 to 5.
  TListColumn* Cols[6] = {};
  /// The file-type table that gives type texts and icons (not owned).
  TExtension* Extension = nullptr;
  /// Status label for the file count; may be unset (not owned).
  TLabel* FilesLabel = nullptr;
  /// The file-name pattern of the folder search.
  std::string Mask = "*.*";
  /// Number of files found by the last read.
  int FileCount = 0;
  /// The column the list is sorted by (0 to 4) and its direction.
  int SortColumn = 0;
  bool SortUp = true;

 private:
  /// Appends an item's sort keys, made from the texts CompareItems compares.
  void AddKeys(const TListItem* item);
  /// Sorts the items by SortColumn and SortUp, in the order CompareItems
  /// gives, through the keys (made again first when the items changed).
  void SortItems();

  std::string directory_;
  std::unique_ptr<FileListKeys> keys_;
  /// The items' revision the keys describe.
  std::uint64_t keysRevision_ = 0;
};

/// A byte count as text: two decimals with the user's separators, one blank
/// and "B", "Kb", "Mb" or "Gb", in steps of 1000.
std::string SizeToStr(long double Bytes);
