#pragma once

#include <memory>
#include <string>

#include "components/ExtSearch.h"
#include "framework/core/Component.h"

class TImageList;

/// The file types of the machine: one record per extension in a table
/// addressed directly by the extension's three characters, loaded once from
/// the file-type table file ("RegInfo.ini"), and two image lists (16 and 32
/// pixels) in which every type's icon has the same position. Icons are taken
/// from their files only when a type is first asked for.
class TExtension : public TComponent {
 public:
  /// Sizes of the table: first character from "0" to "[", second and third
  /// from the blank to "[".
  static constexpr int kFirst = 44;
  static constexpr int kOther = 60;

  explicit TExtension(TComponent* owner);
  ~TExtension() override;

  /// Finds the system's icon file, makes the image lists, loads the four
  /// extra images when LoadExtra is set, and loads the table from FileName.
  /// A file that cannot be opened or lacks the marker is reported in a
  /// message box and leaves the table empty; an icon index that is not a
  /// number raises EConvertError. Runs once.
  void Init();
  /// Whether an extension (".txt", any case, or empty) is in the table; on
  /// true, i, j and k receive the entry's indices.
  bool CheckExists(const std::string& Ext, int& i, int& j, int& k) const;
  /// A copy of an entry; the first call for an entry puts its icon into the
  /// image lists. Raises Exception for indices outside the table.
  TExtSearch GetExtSearch(int i, int j, int k);
  /// Puts the icon of a record into both image lists; its position (also
  /// stored in the record's ImageIndex), -1 when it could not be added.
  int Load_Icon(TExtSearch& ext);
  /// Adds the sort arrows and the two large folder images from the resource
  /// library "PX4Images.dll"; raises Exception when it cannot be loaded.
  void LoadExtraImages();
  /// Overwrites an entry; raises Exception for indices outside the table.
  void SetExtSearch(int i, int j, int k, TExtSearch ext);
  /// Splits one line of the table file into ExtFields 1 to 5; false for an
  /// empty line.
  bool SplitComm(const std::string& line);

  /// The fields of the line last split, in slots 1 to 5.
  std::string ExtFields[7];
  /// The table, every entry zero at construction.
  std::unique_ptr<TExtSearch[][kOther][kOther]> ExtTable;
  /// Path of the file-type table file (published).
  std::string FileName;
  /// The system's icon file, used by every type whose line names none.
  std::string ShellIconFile;
  int ShellIconIndex = 0;
  /// Icons of the types (owned; made by Init).
  TImageList* SmallIcons = nullptr;
  TImageList* LargeIcons = nullptr;
  /// Init also loads the four extra images (published).
  bool LoadExtra = false;
  /// Positions of the sort arrows in SmallIcons.
  int SortUpImage = 0;
  int SortDownImage = 0;

 private:
  void LoadTable();
  bool InTable(int i, int j, int k) const;
};
