#pragma once

#include <string>

#include "UniqueFd.h"

namespace platform {

/// One item that a file operation acts on or creates: the folder that holds
/// it, open for the *at calls, and its name in that folder. Built only from a
/// full drive path of a mapped drive ("C:\Data\a.txt") with no empty, "." or
/// ".." component and no "/" or NUL in it, whose folder lies inside a mapped
/// drive once its links are resolved; so nothing outside the drives is ever
/// touched, and the item's own name is never followed as a link.
class ItemPath {
 public:
  /// The item a drive path names; a trailing backslash is allowed. A drive's
  /// root gives an item with an empty name. Returns 0 or an errno value.
  static int ForItem(const std::string& drivePath, ItemPath* out);
  /// A new item `name` inside the folder a drive path names.
  static int InFolder(const std::string& folderDrivePath, const std::string& name, ItemPath* out);
  /// Whether the drive path ends with a backslash (it names a folder as such).
  static bool NamesFolder(const std::string& drivePath);

  int Folder() const { return folder_.Get(); }
  /// The item's name in its folder: the existing entry's own spelling where
  /// the drive path matched it only ignoring case.
  const std::string& Name() const { return name_; }
  /// The name as the drive path spells it (what a new item is called).
  const std::string& SpelledName() const { return spelled_; }
  /// The containing folder's host path with its links resolved.
  const std::string& FolderRealPath() const { return folderReal_; }
  /// The host path of the item (links in its folder resolved, its name not).
  std::string RealPath() const { return folderReal_ == "/" ? "/" + name_ : folderReal_ + "/" + name_; }
  /// Whether `name` in this item's folder is taken by an entry spelled
  /// differently only in case (drive paths are case-blind).
  bool TakenIgnoringCase(const std::string& name) const;
  /// Whether the item is a mapped drive's root folder.
  bool IsDriveRoot() const;

 private:
  static int Open(const std::string& folderDrivePath, ItemPath* out);
  UniqueFd folder_;
  std::string folderDrive_;  // "C:\Data", "C:" for a root
  std::string folderReal_;
  std::string name_;
  std::string spelled_;
};

}  // namespace platform
